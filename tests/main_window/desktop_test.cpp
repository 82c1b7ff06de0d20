// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and the settings dialog on a desktop: Alt keys, screen reader names, and
// files dropped on the window.
#include <QAccessible>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <map>
#include <set>

#include "form_fixture.h"

namespace lintrel {
namespace {

// The text a screen reader gets for `widget`.
QString Spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face == nullptr ? QString() : face->text(what);
}

// Every push button of `window` with its caption as shown (without the Alt marker) and its
// Alt key; a swatch, which has no caption, takes the Alt key of the label that names it.
std::map<QString, std::pair<QString, QString>> Buttons(QWidget* window) {
    std::map<QString, QWidget*> buddies;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            buddies[label->buddy()->objectName()] = label;
        }
    }
    std::map<QString, std::pair<QString, QString>> out;
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        QString text = b->text();
        if (text.isEmpty() && buddies.count(b->objectName()) != 0) {
            text = static_cast<QLabel*>(buddies[b->objectName()])->text();
        }
        const QString key = QKeySequence::mnemonic(text).toString();
        out[b->objectName()] = {text.remove(QLatin1Char('&')), key};
    }
    return out;
}

void ExpectEveryButtonHasItsOwnAltKey(QWidget* window, const std::map<QString, QString>& captions) {
    const auto buttons = Buttons(window);
    ASSERT_EQ(buttons.size(), captions.size());
    std::set<QString> keys;
    for (const auto& [name, shown] : buttons) {
        ASSERT_EQ(captions.count(name), 1u) << name.toStdString();
        EXPECT_EQ(shown.first, captions.at(name)) << name.toStdString();
        EXPECT_TRUE(shown.second.startsWith(QStringLiteral("Alt+"))) << name.toStdString();
        EXPECT_TRUE(keys.insert(shown.second).second)
            << name.toStdString() << " shares " << shown.second.toStdString();
    }
}

class DesktopTest : public test::FormTest {};

TEST_F(DesktopTest, MainWindowButtonsHaveAltKeysAndReadAsBefore) {
    ExpectEveryButtonHasItsOwnAltKey(form.get(), {{"Command1", "Previous"},
                                                  {"Command2", "Next"},
                                                  {"Command3", "About"},
                                                  {"Command4", "Exit"},
                                                  {"Command5", "Edit file"},
                                                  {"Command6", "Settings"},
                                                  {"Command7", "Random"},
                                                  {"Command8", "Go to"},
                                                  {"Command9", "Browse"}});
}

TEST_F(DesktopTest, DialogButtonsHaveAltKeysAndReadAsBefore) {
    ExpectEveryButtonHasItsOwnAltKey(&D(), {{"Command1", "Browse"},
                                            {"Command2", "Browse"},
                                            {"load_font_list_now", "Load font list"},
                                            {"OKButton", "OK"},
                                            {"font_colour", "Font colour:"},
                                            {"font_background_colour", "Font background colour:"}});
}

TEST_F(DesktopTest, ScreenReaderNamesTheNoteItsNumberAndTheFile) {
    const QString path = LoadLines({"first note"});
    form->ShowLine(1);
    EXPECT_EQ(Spoken(form->Text1), QStringLiteral("Note"));
    EXPECT_EQ(Spoken(form->Text1, QAccessible::Value), QStringLiteral("first note"));
    EXPECT_EQ(Spoken(form->line_shown), QStringLiteral("Line number: 1"));
    EXPECT_EQ(Spoken(form->line_shown, QAccessible::Description), QStringLiteral("Note number"));
    EXPECT_EQ(Spoken(form->file_name), path);
    EXPECT_EQ(Spoken(form->file_name, QAccessible::Description), QStringLiteral("Note file"));
    EXPECT_EQ(Spoken(D().font_colour), QStringLiteral("Font colour"));
    EXPECT_EQ(Spoken(D().font_background_colour), QStringLiteral("Font background colour"));
}

TEST_F(DesktopTest, ScreenReaderNamesEveryBoxOfTheDialogAndBothWindowRoles) {
    Dialog& d = D();
    const std::vector<std::pair<QWidget*, const char*>> names = {
        {d.text_editor_path, "Specify path of external text editor for file editing:"},
        {d.notes_separation_characters, "Use the following characters for separation of notes:"},
        {d.font_list, "Font"},
        {d.font_size_list, "Font size"},
        {d.line_load_startup, "Start-up line number"},
        {d.note_file_specified_path, "Specified file"},
        {d.Command1, "Browse for the specified file"},
        {d.Command2, "Browse for the text editor"},
    };
    for (const auto& [widget, name] : names) {
        EXPECT_EQ(Spoken(widget), QString::fromUtf8(name)) << widget->objectName().toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&d)->role(), QAccessible::Dialog);
}

// Sends a drag onto the window, as a file manager offers it (copy or move, move proposed),
// and, when the window takes it, the drop. The window must take it as a copy only.
bool Drop(Form1& form, const QMimeData& data) {
    const QPoint at(10, 10);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(&form, &drop);
    EXPECT_TRUE(!drop.isAccepted() || drop.dropAction() == Qt::CopyAction);
    return drop.isAccepted();
}

TEST_F(DesktopTest, DroppingOneFileOpensItAsBrowseDoes) {
    LoadLines({"old"});
    const QString path = Write("dropped.txt", "new one\r\nnew two\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    EXPECT_TRUE(Drop(*form, data));
    EXPECT_EQ(form->file_name->text(), path);
    EXPECT_EQ(form->NoteList.Count(), 2u);
    EXPECT_TRUE(Shown().startsWith(QStringLiteral("new")));
}

TEST_F(DesktopTest, DroppingAnythingElseDoesNothing) {
    const QString path = LoadLines({"kept"});
    form->ShowLine(1);
    const QString a = Write("a.txt", "a\r\n");
    const QString b = Write("b.txt", "b\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    const std::vector<std::pair<const char*, QList<QUrl>>> drops = {
        {"two files", {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}},
        {"a folder", {QUrl::fromLocalFile(Path("folder.txt"))}},
        {"a missing file", {QUrl::fromLocalFile(Path("gone.txt"))}},
        {"a web address", {QUrl(QStringLiteral("https://example.org/notes.txt"))}},
    };
    for (const auto& [what, urls] : drops) {
        QMimeData data;
        data.setUrls(urls);
        EXPECT_FALSE(Drop(*form, data)) << what;
    }
    QMimeData text;
    text.setText(a);
    EXPECT_FALSE(Drop(*form, text));
    EXPECT_EQ(form->file_name->text(), path);
    EXPECT_EQ(Shown(), QStringLiteral("kept"));
}

}  // namespace
}  // namespace lintrel
