// SPDX-License-Identifier: GPL-3.0-or-later
// Each of the four settings loaders reading a file of any bytes, in a real main window on
// Qt's offscreen platform. A file a loader refuses gives its message and is deleted.
//
// Input: one byte choosing the file, then the file's bytes.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fake_host.h"
#include "main_window/form1.h"
#include "settings_loader_check.h"

namespace {

struct World {
    QTemporaryDir dir;
    lintrel::test::FakeHost host;
    std::unique_ptr<lintrel::Form1> form;
};

World* g_world = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    g_world = new World;
    g_world->host.folder = g_world->dir.path();
    g_world->form = std::make_unique<lintrel::Form1>(g_world->host);
    QFile notes(g_world->dir.filePath("notes.txt"));
    if (!notes.open(QIODevice::WriteOnly) || notes.write("one\r\ntwo\r\n\r\nfour\r\n") < 0) {
        std::abort();
    }
    notes.close();
    g_world->form->LoadNoteFile(notes.fileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const lintrel::test::SettingsLoader& loader = lintrel::test::kSettingsLoaders[data[0] % 4];
    {
        QFile file(g_world->dir.filePath(QString::fromLatin1(loader.file)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1)) <
                0) {
            std::abort();
        }
    }
    if (!lintrel::test::LoadAndCheck(*g_world->form, g_world->host, loader, g_world->dir.path())
             .empty()) {
        std::abort();
    }
    return 0;
}
