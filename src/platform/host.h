// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/colour_chooser.h"
#include "platform/common_dialog.h"

namespace lintrel {

enum class MsgIcon { Information, Warning, Critical };

// Everything modal or environmental that the program asks of the desktop. The Qt
// implementation lives in QtHost; tests answer from a script and record every call.
class Host {
  public:
    virtual ~Host() = default;

    // A modal message box titled "Lintrel" with an OK button only.
    virtual void MessageBox(const QString& text, MsgIcon icon) = 0;
    // A modal input box titled "Lintrel", its entry field holding `initial`; nullopt for
    // Cancel.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& initial) = 0;
    // The modal file-open dialog set up from `dialog`; the chosen full path, or nullopt
    // for cancel or failure.
    virtual std::optional<QString> OpenFileDialog(const CommonDialog& dialog) = 0;
    // The modal colour chooser described by `record` (initial colour, flags, custom colour
    // table); true when the user confirmed a colour, which `record.rgbResult` then holds.
    virtual bool ChooseColorA(CHOOSECOLOR& record) = 0;
    // The plain colour of the desktop scheme's colour `index`; nullopt when unknown.
    virtual std::optional<std::uint32_t> SystemColour(int index) = 0;
    // Installed font families, and the family that the text really uses for `requested`.
    virtual QStringList FontFamilies() = 0;
    virtual QString ResolveFontFamily(const QString& requested) = 0;
    // The primary screen's size in device-independent pixels.
    virtual QSize ScreenSize() = 0;
    // The part of it free for windows (without the desktop's panels).
    virtual QSize AvailableSize() = 0;
    // The size of all screens together, in device-independent pixels.
    virtual QSize DesktopSize() = 0;
    // Each screen's place and size on the desktop, in device-independent pixels.
    virtual std::vector<QRect> Screens() = 0;
    // Whether a window can learn and set its own place on the screen: not on Wayland, where
    // the compositor places windows.
    virtual bool CanPlaceWindows() = 0;
    // Starts `program` with `arguments` without a shell and without waiting.
    virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
    virtual QDateTime LocalNow() = 0;
    // The folder that holds the program, without a trailing slash.
    virtual QString ProgramFolder() = 0;
    // A line for whoever started the program from a terminal (standard error).
    virtual void TellTerminal(const QString& line) = 0;
};

}  // namespace lintrel
