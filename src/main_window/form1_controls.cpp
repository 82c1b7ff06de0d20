// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QThread>

#include <utility>

#include "core/form1_layout.h"
#include "desktop/button_mnemonics.h"
#include "desktop/file_follower.h"
#include "desktop/widget_units.h"
#include "desktop/window_roles.h"
#include "platform/host.h"
#include "platform/units.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

Form1::Form1(Host& host) : host_(host) {
    // Nobody is busy with a box, a dialog or a mouse selection while the file is read again.
    follower_ = new FileFollower(
        [this] {
            return reader_ == nullptr && QApplication::activeModalWidget() == nullptr &&
                   QApplication::mouseButtons() == Qt::NoButton;
        },
        [this] { NoteFileChanged(); }, this);
    InstallWindowRoles();
    setWindowTitle(QStringLiteral("Lintrel"));
    setObjectName(QStringLiteral("Form1"));

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // A path is shown as it is, even one that looks like markup.
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    auto button = [this](const char* name, const QString& text, void (Form1::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        ClickOnEveryMnemonic(b);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };

    file_name = label("file_name", QStringLiteral("File Name"));
    line_shown = label("line_shown", QStringLiteral("Line Shown"));
    Command9 = button("Command9", QStringLiteral("&Browse"), &Form1::Command9_Click);

    MakeText1();
    // Dropped files go to the window (the note box takes none).
    setAcceptDrops(true);

    Command1 = button("Command1", QStringLiteral("&Previous"), &Form1::Command1_Click);
    Command2 = button("Command2", QStringLiteral("&Next"), &Form1::Command2_Click);
    Command7 = button("Command7", QStringLiteral("&Random"), &Form1::Command7_Click);
    Command8 = button("Command8", QStringLiteral("&Go to"), &Form1::Command8_Click);
    Command5 = button("Command5", QStringLiteral("&Edit file"), &Form1::Command5_Click);
    Command6 = button("Command6", QStringLiteral("&Settings"), &Form1::Command6_Click);
    Command3 = button("Command3", QStringLiteral("&About"), &Form1::Command3_Click);
    Command4 = button("Command4", QStringLiteral("E&xit"), &Form1::Command4_Click);

    // Keyboard order: the note first, then the buttons in their designed order.
    QWidget* order[] = {Text1,    Command1, Command2, Command3, Command4,
                        Command5, Command6, Command7, Command8, Command9};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    SizeToScreen();
    Form_Resize();
    AddShortcuts();
    Text1->setFocus();
}

void Form1::SizeToScreen() {
    // The designed sizes grow with the desktop font, as far as the screen has room for them
    // (the font shrinks with them beyond that); the position on the screen does not.
    const double fontScale = LayoutScale(font());
    scale_ = FittedScale(
        fontScale,
        QSizeF(kMinOuterWidthTwips - kFrameWidthTwips, kMinOuterHeightTwips - kFrameHeightTwips),
        QSizeF(kFrameWidthTwips, kFrameHeightTwips), host_.AvailableSize());
    ShrinkFontTo(this, scale_);
    setMinimumSize(TwipsToPixels((kMinOuterWidthTwips - kFrameWidthTwips) * scale_),
                   TwipsToPixels((kMinOuterHeightTwips - kFrameHeightTwips) * scale_));
    // The style's sizes for the controls, as shown, before they are placed.
    ensurePolished();
    setGeometry(TwipsToPixels(kInitialClientLeftTwips), TwipsToPixels(kInitialClientTopTwips),
                TwipsToPixels(kInitialClientWidthTwips * scale_),
                TwipsToPixels(kInitialClientHeightTwips * scale_));
}

void Form1::MakeText1() {
    Text1 = new NoteView(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFont(QFont(kDesignFace, 12));
    Text1->setPlainText(QStringLiteral("Text1"));
    // What a screen reader calls them; the labels are read out by their text (the file's
    // path, the note's number).
    Text1->setAccessibleName(QStringLiteral("Note"));
    file_name->setAccessibleDescription(QStringLiteral("Note file"));
    line_shown->setAccessibleDescription(QStringLiteral("Note number"));
}

void Form1::AddShortcuts() {
    // Keys beyond the design's: they reach the commands from any control of the window, and
    // do nothing while a modal box is open. None takes Enter or Escape.
    const std::pair<QKeySequence, void (Form1::*)()> keys[] = {
        {QKeySequence(Qt::ALT | Qt::Key_Left), &Form1::Command1_Click},
        {QKeySequence(Qt::ALT | Qt::Key_Right), &Form1::Command2_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_G), &Form1::Command8_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_O), &Form1::Command9_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), &Form1::Command4_Click},
        {QKeySequence(Qt::Key_F1), &Form1::Command3_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_F), &Form1::FindNote},
        {QKeySequence(Qt::Key_F3), &Form1::FindAgain},
        {QKeySequence(Qt::Key_F5), &Form1::ReloadNoteFile},
    };
    for (const auto& [key, command] : keys) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    }
}

Form1::~Form1() {
    // A read of the note file still under way ends before the window goes.
    if (reader_ != nullptr) {
        reader_->wait();
    }
}

Dialog& Form1::SettingsDialog() {
    if (!dialog_) {
        dialog_ = std::make_unique<Dialog>(host_, CommonDialog1, Text1);
    }
    return *dialog_;
}

void Form1::Form_Resize() {
    // A minimised window keeps its layout until it is restored.
    if (isMinimized()) {
        return;
    }
    if (width() < minimumWidth() || height() < minimumHeight()) {
        resize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
    }
    // The rules work on the design's outer size: the client size unscaled, plus the design
    // frame.
    const Form1Layout layout =
        LayoutForm1(static_cast<int>(PixelsToTwips(width()) / scale_) + kFrameWidthTwips,
                    static_cast<int>(PixelsToTwips(height()) / scale_) + kFrameHeightTwips);
    const std::pair<QWidget*, QRect Form1Layout::*> places[] = {
        {file_name, &Form1Layout::file_name}, {line_shown, &Form1Layout::line_shown},
        {Text1, &Form1Layout::Text1},         {Command1, &Form1Layout::Command1},
        {Command2, &Form1Layout::Command2},   {Command3, &Form1Layout::Command3},
        {Command4, &Form1Layout::Command4},   {Command5, &Form1Layout::Command5},
        {Command6, &Form1Layout::Command6},   {Command7, &Form1Layout::Command7},
        {Command8, &Form1Layout::Command8},   {Command9, &Form1Layout::Command9},
    };
    for (const auto& [widget, place] : places) {
        PlaceInTwips(widget, layout.*place, scale_);
        // A button is as tall as its caption needs, which a window shrunk to a small screen
        // may not leave it.
        if (qobject_cast<QPushButton*>(widget) != nullptr) {
            GrowToHintHeight(widget);
        }
    }
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

namespace {

// The twips value a bound reads as: the value last set, while the window still stands at the
// pixel it was rounded to, so that a value loaded is saved as itself; else the pixels in twips.
double TwipsOf(const Form1::SetTwips& set, int pixels) {
    return set.pixels == pixels ? set.twips : PixelsToTwips(pixels);
}

}  // namespace

// Left and Top are the outer window's corner: the frame's, which pos() and move() of a
// top-level window measure. Before the window is first shown the window manager has not yet
// told the frame's size. As long as the window is not yet a native window, move() records a
// place that includes the frame, and the window is then made with north-west gravity in its
// size hints: the window manager puts the frame's corner exactly there, and pos() reads it
// back once the frame is known. (So nothing may make this window native before it is shown:
// the charset question, asked before, has no owner.) Width and Height are the client size plus
// the design frame, whatever frame the window manager draws, so that a saved size comes back.
// Where the window cannot learn its place (Wayland), pos() says nothing of it: the place last
// set or kept stands.
double Form1::Left() const {
    return host_.CanPlaceWindows() ? TwipsOf(left_, pos().x()) : left_.twips;
}
double Form1::Top() const {
    return host_.CanPlaceWindows() ? TwipsOf(top_, pos().y()) : top_.twips;
}

void Form1::KeepPlace(double top, double left) {
    top_ = {top, TwipsToPixels(top)};
    left_ = {left, TwipsToPixels(left)};
}
double Form1::Width() const {
    return TwipsOf(width_, width()) + kFrameWidthTwips;
}
double Form1::Height() const {
    return TwipsOf(height_, height()) + kFrameHeightTwips;
}

void Form1::SetLeft(double twips) {
    left_ = {twips, TwipsToPixels(twips)};
    move(left_.pixels, pos().y());
}
void Form1::SetTop(double twips) {
    top_ = {twips, TwipsToPixels(twips)};
    move(pos().x(), top_.pixels);
}
void Form1::SetWidth(double twips) {
    width_ = {twips - kFrameWidthTwips, TwipsToPixels(twips - kFrameWidthTwips)};
    resize(width_.pixels, height());
}
void Form1::SetHeight(double twips) {
    height_ = {twips - kFrameHeightTwips, TwipsToPixels(twips - kFrameHeightTwips)};
    resize(width(), height_.pixels);
}

}  // namespace lintrel
