#pragma once

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
#include "settings_dialog/check_box.h"
#include "settings_dialog/colour_swatch.h"
#include "settings_dialog/dialog.h"

namespace lintrel::test {

// A fresh main window on a fake host, with a temporary program folder.
class FormTest : public ::testing::Test {
  protected:
    FormTest() {
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

    QTemporaryDir dir;
    FakeHost host;
    std::unique_ptr<Form1> form;
};

}  // namespace lintrel::test
