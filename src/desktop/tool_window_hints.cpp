// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/tool_window_hints.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace lintrel {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The property `property` of `window` as 32-bit values, empty when it is missing.
std::vector<uint32_t> Values(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                             xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

// Whether the running window manager names itself "Openbox".
bool UnderOpenbox(xcb_connection_t* c, xcb_window_t root) {
    const auto check = Values(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.empty()) {
        return false;
    }
    const Reply<xcb_get_property_reply_t> name(xcb_get_property_reply(
        c, xcb_get_property(c, 0, check[0], Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), 0, 64),
        nullptr));
    if (!name) {
        return false;
    }
    const std::string_view text(static_cast<const char*>(xcb_get_property_value(name.get())),
                                static_cast<size_t>(xcb_get_property_value_length(name.get())));
    return text == "Openbox";
}

void ReplaceAtoms(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                  const std::vector<uint32_t>& atoms) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
}

}  // namespace

void MarkAsToolWindow(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());

    // Qt keeps the states it finds on an unmapped window and adds its own.
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    auto states = Values(c, id, state, XCB_ATOM_ATOM);
    if (std::find(states.begin(), states.end(), skipTaskbar) == states.end()) {
        states.push_back(skipTaskbar);
        ReplaceAtoms(c, id, state, states);
    }

    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    if (UnderOpenbox(c, root)) {
        const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
        auto types = Values(c, id, type, XCB_ATOM_ATOM);
        const xcb_atom_t toolbar = Atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR");
        if (types.empty() || types.front() != toolbar) {
            types.insert(types.begin(), toolbar);
            ReplaceAtoms(c, id, type, types);
        }
    }
    xcb_flush(c);
}

}  // namespace lintrel
