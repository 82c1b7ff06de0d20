// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_host.h"
#include "main_window/form1.h"
#include "qt_printers.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/colour_swatch.h"
#include "settings_dialog/dialog.h"

namespace lintrel::test {

// Sets the application's font for its lifetime, and restores the one before.
class AppFont {
  public:
    explicit AppFont(const QFont& font) : before_(QApplication::font()) {
        QApplication::setFont(font);
    }
    ~AppFont() { QApplication::setFont(before_); }
    AppFont(const AppFont&) = delete;
    AppFont& operator=(const AppFont&) = delete;

    // A font no wider or taller than the one the windows were designed for: the windows are
    // laid out at a scale of 1, in the design's own pixels.
    static QFont Design() { return QFont(QStringLiteral("DejaVu Sans"), 6); }

  private:
    QFont before_;
};

// A fresh main window on a fake host, with a temporary program folder, laid out at the
// design's own scale.
class FormTest : public ::testing::Test {
  protected:
    FormTest() : font_(AppFont::Design()) {
        host.folder = dir.path();
        form = std::make_unique<Form1>(host);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QString Write(const QString& name, const std::string& bytes) const {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    std::string Read(const QString& name) const {
        QFile file(Path(name));
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        return file.readAll().toStdString();
    }

    bool Exists(const QString& name) const { return QFile::exists(Path(name)); }

    // Loads a note file of `lines` (CR LF after each) and returns its path.
    QString LoadLines(const std::vector<std::string>& lines, const QString& name = "notes.txt") {
        std::string bytes;
        for (const auto& l : lines) {
            bytes += l + "\r\n";
        }
        const QString path = Write(name, bytes);
        EXPECT_TRUE(form->LoadNoteFile(path));
        return path;
    }

    Dialog& D() { return form->SettingsDialog(); }
    QString Shown() const { return form->Text1->toPlainText(); }
    QString Caption() const { return form->line_shown->text(); }

    AppFont font_;
    QTemporaryDir dir;
    FakeHost host;
    std::unique_ptr<Form1> form;
};

}  // namespace lintrel::test
