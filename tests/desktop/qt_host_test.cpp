// SPDX-License-Identifier: GPL-3.0-or-later
// The real desktop host's own windows, driven on the offscreen platform: the colour chooser
// without an owner, and the file-open dialog's filters.
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

#include "desktop/qt_host.h"
#include "form_fixture.h"

namespace lintrel {
namespace {

// The visible top-level windows of type T.
template <typename T>
QList<T*> Shown() {
    QList<T*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) {
            out << t;
        }
    }
    return out;
}

// A real host whose program folder is a temporary one.
class FolderHost : public QtHost {
  public:
    explicit FolderHost(QString folder) : folder_(std::move(folder)) {}
    QString ProgramFolder() override { return folder_; }

  private:
    QString folder_;
};

class QtHostTest : public ::testing::Test {
  protected:
    test::AppFont font_{test::AppFont::Design()};
    QTemporaryDir dir;
    FolderHost host{dir.path()};
    Form1 form{host};
};

// With no owner, the chooser blocks neither window; a second swatch click opens nothing.
TEST_F(QtHostTest, ColourChooserLeavesBothWindowsUsable) {
    host.SetOwner(&form);
    form.show();
    form.Command6_Click();
    Dialog& d = form.SettingsDialog();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        const QList<QColorDialog*> choosers = Shown<QColorDialog>();
        ASSERT_EQ(choosers.size(), 1);
        QColorDialog* chooser = choosers.first();
        EXPECT_EQ(chooser->parentWidget(), nullptr);
        EXPECT_EQ(chooser->windowModality(), Qt::NonModal);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        d.font_background_colour->click();
        EXPECT_EQ(Shown<QColorDialog>().size(), 1);
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
        checked = true;
    });
    d.font_colour->click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(d.font_colour->BackColor(), 0x563412u);
    EXPECT_EQ(d.font_background_colour->BackColor(), 0xFFFFFFu);
    EXPECT_TRUE(Shown<QColorDialog>().isEmpty());
}

// Closing the main window while the chooser is open saves and ends as usual: the chooser's
// own loop ends with the program's.
TEST_F(QtHostTest, ClosingTheMainWindowWhileChoosingEndsAsUsual) {
    host.SetOwner(&form);
    form.show();
    form.Command6_Click();
    QTimer::singleShot(0, [this] {
        ASSERT_EQ(Shown<QColorDialog>().size(), 1);
        form.close();
    });
    form.SettingsDialog().font_colour->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(Shown<QColorDialog>().isEmpty());
    EXPECT_EQ(form.SettingsDialog().font_colour->BackColor(), 0u);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("FontSettings.ini"))));
    // The close asked the application to end: one run of its loop clears that for later tests.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QApplication::exec();
}

// Each filter is shown once, as written: "Text Files (*.txt)", not "Text Files (*.txt) (*.txt)".
TEST_F(QtHostTest, FileDialogShowsEachFilterOnce) {
    CommonDialog dialog;
    dialog.Filter = QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*");
    dialog.FilterIndex = 1;
    QStringList shown;
    QTimer::singleShot(0, [&] {
        const QList<QFileDialog*> dialogs = Shown<QFileDialog>();
        ASSERT_EQ(dialogs.size(), 1);
        auto* types = dialogs.first()->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i) {
            shown << types->itemText(i);
        }
        dialogs.first()->reject();
    });
    EXPECT_EQ(host.OpenFileDialog(dialog), std::nullopt);
    EXPECT_EQ(shown, QStringList({QStringLiteral("Executable Files (*.exe)"),
                                  QStringLiteral("All Files (*.*)")}));
}

}  // namespace
}  // namespace lintrel
