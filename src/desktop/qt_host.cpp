// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/qt_host.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPalette>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include <array>

#include "desktop/colour_value.h"
#include "platform/command_line.h"

#include <cstdio>

namespace lintrel {

namespace {

const QString kTitle = QStringLiteral("Lintrel");

// The desktop file of the default handler for plain text, as xdg-mime reports it.
QString DefaultTextHandler() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000)) {
        query.kill();
        return {};
    }
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

// The file-open dialog's name filters from a "description|pattern|..." list.
QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file, also those without a "." in their name.
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

}  // namespace

void KeepToolkitStoreAway() {
    // Below a device file no folder can be made, not even by root.
    const QString nowhere = QStringLiteral("/dev/null/nowhere");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, nowhere);
    }
}

QWidget* QtHost::Owner() const {
    // A box shown before the main window (the charset question) has no owner: owning it would
    // make the hidden main window a native window early, and a window made before its place
    // is set is placed by its client area instead of its frame.
    return owner_ != nullptr && owner_->isVisible() ? owner_ : nullptr;
}

void QtHost::MessageBox(const QString& text, MsgIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    if (icon == MsgIcon::Warning) {
        qtIcon = QMessageBox::Warning;
    } else if (icon == MsgIcon::Critical) {
        qtIcon = QMessageBox::Critical;
    }
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon, kTitle, shown, QMessageBox::Ok, Owner());
    // A text taken from a file is shown as it is, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> QtHost::InputBox(const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(Owner(), kTitle, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> QtHost::OpenFileDialog(const CommonDialog& dialog) {
    QFileDialog files(Owner(), dialog.DialogTitle);
    files.setFileMode((dialog.Flags & CommonDialog::kFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile);
    files.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = NameFilters(dialog.Filter);
    // The descriptions already name their patterns: show them as they are written.
    files.setOption(QFileDialog::HideNameFilterDetails);
    files.setNameFilters(filters);
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size()) {
        files.selectNameFilter(filters[dialog.FilterIndex - 1]);
    }
    if (!dialog.FileName.isEmpty()) {
        files.selectFile(dialog.FileName);
    }
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return files.selectedFiles().constFirst();
}

bool QtHost::ChooseColorA(CHOOSECOLOR& record) {
    // Custom colours come from the record's table and are not kept after the chooser closes.
    if (record.lpCustColors != nullptr) {
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
            QColorDialog::setCustomColor(
                i, ColourFromValue(static_cast<std::uint32_t>(record.lpCustColors[i])));
        }
    }
    // Without an owner (hParent 0) the chooser disables neither window: it is shown without
    // modality, and this call waits in an event loop of its own until it closes. Closing the
    // main window meanwhile ends that loop as it ends the program's.
    QColorDialog chooser(record.hwndOwner != 0 ? Owner() : nullptr);
    chooser.setWindowTitle(QStringLiteral("Colour - Lintrel"));
    if ((record.Flags & CC_RGBINIT) != 0 && record.rgbResult != -1) {
        chooser.setCurrentColor(ColourFromValue(static_cast<std::uint32_t>(record.rgbResult)));
    }
    // The custom-colour part is always shown by Qt's chooser; without CC_FULLOPEN the
    // desktop's own dialog is preferred, which shows its simpler face first.
    chooser.setOption(QColorDialog::DontUseNativeDialog, (record.Flags & CC_FULLOPEN) != 0);
    if (record.hwndOwner != 0) {
        if (chooser.exec() != QDialog::Accepted) {
            return false;
        }
    } else {
        chooser.setWindowModality(Qt::NonModal);
        QEventLoop wait;
        QObject::connect(&chooser, &QDialog::finished, &wait, &QEventLoop::quit);
        chooser.show();
        wait.exec();
        if (chooser.result() != QDialog::Accepted) {
            return false;
        }
    }
    record.rgbResult = static_cast<std::int32_t>(ValueFromColour(chooser.selectedColor()));
    return true;
}

std::optional<std::uint32_t> QtHost::SystemColour(int index) {
    struct Role {
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    static constexpr std::array<std::optional<Role>, 31> kRoles{{
        Role{QPalette::Active, QPalette::Button},           // 0 scroll bar
        Role{QPalette::Active, QPalette::Window},           // 1 desktop
        Role{QPalette::Active, QPalette::Highlight},        // 2 active caption
        Role{QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
        Role{QPalette::Active, QPalette::Window},           // 4 menu
        Role{QPalette::Active, QPalette::Base},             // 5 window
        Role{QPalette::Active, QPalette::Shadow},           // 6 window frame
        Role{QPalette::Active, QPalette::WindowText},       // 7 menu text
        Role{QPalette::Active, QPalette::Text},             // 8 window text
        Role{QPalette::Active, QPalette::HighlightedText},  // 9 caption text
        Role{QPalette::Active, QPalette::Window},           // 10 active border
        Role{QPalette::Inactive, QPalette::Window},         // 11 inactive border
        Role{QPalette::Active, QPalette::Mid},              // 12 application workspace
        Role{QPalette::Active, QPalette::Highlight},        // 13 highlight
        Role{QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
        Role{QPalette::Active, QPalette::Button},           // 15 button face
        Role{QPalette::Active, QPalette::Dark},             // 16 button shadow
        Role{QPalette::Disabled, QPalette::Text},           // 17 grey text
        Role{QPalette::Active, QPalette::ButtonText},       // 18 button text
        Role{QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
        Role{QPalette::Active, QPalette::Light},            // 20 button highlight
        Role{QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
        Role{QPalette::Active, QPalette::Midlight},         // 22 3-D light
        Role{QPalette::Active, QPalette::ToolTipText},      // 23 tool tip text
        Role{QPalette::Active, QPalette::ToolTipBase},      // 24 tool tip background
        std::nullopt,                                       // 25 unused
        Role{QPalette::Active, QPalette::Link},             // 26 hot light
        Role{QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
        Role{QPalette::Inactive, QPalette::Highlight},      // 28 inactive caption gradient
        Role{QPalette::Active, QPalette::Highlight},        // 29 menu highlight
        Role{QPalette::Active, QPalette::Window},           // 30 menu bar
    }};
    if (index < 0 || index >= static_cast<int>(kRoles.size()) || !kRoles[index]) {
        return std::nullopt;
    }
    const QPalette palette = QApplication::palette();
    return ValueFromColour(palette.color(kRoles[index]->group, kRoles[index]->role));
}

QStringList QtHost::FontFamilies() {
    return QFontDatabase::families();
}

QString QtHost::ResolveFontFamily(const QString& requested) {
    return QFontInfo(QFont(requested)).family();
}

QSize QtHost::ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

QSize QtHost::AvailableSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().size() : QSize(1024, 768);
}

QSize QtHost::DesktopSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->virtualSize() : QSize(1024, 768);
}

std::vector<QRect> QtHost::Screens() {
    std::vector<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(screen->geometry());
    }
    return screens;
}

bool QtHost::CanPlaceWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool QtHost::StartProgram(const QString& program, const QStringList& arguments) {
    if (program.compare(kDesktopEditorName, Qt::CaseInsensitive) != 0) {
        return QProcess::startDetached(program, arguments);
    }
    const std::optional<ProgramStart> editor = DesktopEditor(
        DefaultTextHandler(), arguments.value(0),
        [](const QString& name) {
            QFile entry(QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name));
            return entry.size() < (1 << 20) && entry.open(QIODevice::ReadOnly) ? entry.readAll()
                                                                               : QByteArray();
        },
        [](const QString& name) { return QStandardPaths::findExecutable(name); });
    return editor && QProcess::startDetached(editor->program, editor->arguments);
}

QDateTime QtHost::LocalNow() {
    return QDateTime::currentDateTime();
}

void QtHost::TellTerminal(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

QString QtHost::ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace lintrel
