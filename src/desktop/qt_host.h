// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"

class QWidget;

namespace lintrel {

// The desktop's answers, through Qt.
class QtHost : public Host {
  public:
    // Modal windows are owned by `owner` once it is set (the main window).
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void MessageBox(const QString& text, MsgIcon icon) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& initial) override;
    std::optional<QString> OpenFileDialog(const CommonDialog& dialog) override;
    bool ChooseColorA(CHOOSECOLOR& record) override;
    std::optional<std::uint32_t> SystemColour(int index) override;
    QStringList FontFamilies() override;
    QString ResolveFontFamily(const QString& requested) override;
    QSize ScreenSize() override;
    QSize AvailableSize() override;
    QSize DesktopSize() override;
    std::vector<QRect> Screens() override;
    bool CanPlaceWindows() override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;
    QDateTime LocalNow() override;
    QString ProgramFolder() override;
    void TellTerminal(const QString& line) override;

  private:
    // The owner of a modal box: the main window once it is shown.
    QWidget* Owner() const;

    QWidget* owner_ = nullptr;
};

// The toolkit's file dialog and colour chooser keep a history and custom colours in a store
// of their own in the user's configuration folder. Lintrel keeps its settings in its four
// files only, so that store is pointed where nothing can be written or read.
void KeepToolkitStoreAway();

}  // namespace lintrel
