// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_dialog/dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "desktop/tool_window_hints.h"
#include "desktop/widget_units.h"
#include "platform/browse.h"
#include "platform/host.h"
#include "settings/window_placement.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/colour_swatch.h"

namespace lintrel {

namespace {

constexpr int kClientWidthTwips = 8775;
constexpr int kClientHeightTwips = 5535;
// The design frame of a fixed dialog: border and title bar.
constexpr int kDialogFrameWidthTwips = 90;
constexpr int kDialogFrameHeightTwips = 390;

}  // namespace

Dialog::Dialog(Host& host, CommonDialog& fileDialog, QWidget* noteBox)
    : host_(host), fileDialog_(fileDialog), noteBox_(noteBox) {
    // The designed sizes grow with the desktop font, as far as the screen has room for them.
    const double fontScale = LayoutScale(font());
    scale_ =
        FittedScale(fontScale, QSizeF(kClientWidthTwips, kClientHeightTwips),
                    QSizeF(kDialogFrameWidthTwips, kDialogFrameHeightTwips), host_.AvailableSize());
    fontShrink_ = scale_ / fontScale;
    ShrinkFontTo(this, scale_);
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Settings - Lintrel"));
    // A fixed tool window: no minimise or maximise box, not listed in the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(kClientWidthTwips * scale_),
                 TwipsToPixels(kClientHeightTwips * scale_));
    BuildControls();
    font_background_colour->SetBackColor(0xFFFFFF);
    load_font_list_at_startup->SetWordWrap(true);
    ApplyStyle();
    NameForScreenReaders();
    // The keyboard starts at OK, the first in the tab order.
    OKButton->setFocus();
    FixOptionFocus();
    Form_Load();
}

Dialog::~Dialog() = default;

void Dialog::ApplyStyle() {
    // The style check boxes show their caption in the style they stand for.
    auto styled = [this](QWidget* w, auto apply) {
        QFont f(kDesignFace);
        f.setPointSizeF(8.25);
        apply(f);
        // Made smaller with the window's font where the screen had no room for it.
        w->setFont(fontShrink_ < 1 ? FontFitting(f, LayoutScale(f) * fontShrink_) : f);
    };
    styled(bo, [](QFont& f) { f.setWeight(QFont::Bold); });
    styled(it, [](QFont& f) { f.setItalic(true); });
    styled(un, [](QFont& f) { f.setUnderline(true); });
    styled(st, [](QFont& f) { f.setStrikeOut(true); });
}

void Dialog::NameForScreenReaders() {
    // The labels' Alt keys press the swatches; a label names the box it stands for.
    Label4->setBuddy(font_colour);
    Label5->setBuddy(font_background_colour);
    Label2->setBuddy(text_editor_path);
    Label6->setBuddy(notes_separation_characters);
    font_colour->setAccessibleName(QStringLiteral("Font colour"));
    font_background_colour->setAccessibleName(QStringLiteral("Font background colour"));
    font_list->setAccessibleName(QStringLiteral("Font"));
    font_size_list->setAccessibleName(QStringLiteral("Font size"));
    line_load_startup->setAccessibleName(QStringLiteral("Start-up line number"));
    note_file_specified_path->setAccessibleName(QStringLiteral("Specified file"));
    Command1->setAccessibleName(QStringLiteral("Browse for the specified file"));
    Command2->setAccessibleName(QStringLiteral("Browse for the text editor"));
}

void Dialog::SetOption(QRadioButton* option, bool on) {
    if (on) {
        option->setChecked(true);
        return;
    }
    if (option->isChecked()) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void Dialog::Form_Load() {
    const QSize screen = host_.ScreenSize();
    const WindowPlace place =
        CentredPlace(PixelsToTwips(width()) + kDialogFrameWidthTwips,
                     PixelsToTwips(height()) + kDialogFrameHeightTwips,
                     PixelsToTwips(screen.width()), PixelsToTwips(screen.height()));
    move(TwipsToPixels(place.left), TwipsToPixels(place.top));
}

void Dialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    Form_Unload();
}

void Dialog::showEvent(QShowEvent* event) {
    // A show the window manager makes (restoring) comes after mapping: leave it.
    if (!event->spontaneous()) {
        MarkAsToolWindow(*this);
    }
    QWidget::showEvent(event);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            OKButton->click();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            Form_Unload();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

namespace {

// The options of a frame, in the order of the design.
QList<QRadioButton*> FrameOptions(const QWidget* frame) {
    return frame->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

}  // namespace

void Dialog::FixOptionFocus() {
    for (QGroupBox* frame : {Frame2, Frame4}) {
        const QList<QRadioButton*> options = FrameOptions(frame);
        QRadioButton* stop = options.value(0);
        for (QRadioButton* option : options) {
            if (option->isChecked()) {
                stop = option;
            }
        }
        for (QRadioButton* option : options) {
            option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }
}

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    auto* option = qobject_cast<QRadioButton*>(watched);
    if (option == nullptr || event->type() != QEvent::KeyPress ||
        (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right) {
        step = 1;
    } else if (key == Qt::Key_Up || key == Qt::Key_Left) {
        step = -1;
    } else {
        return QWidget::eventFilter(watched, event);
    }
    const QList<QRadioButton*> options = FrameOptions(option->parentWidget());
    const auto count = options.size();
    const auto next = options[(options.indexOf(option) + step + count) % count];
    next->setChecked(true);
    next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Dialog::Form_Unload() {
    hide();
}

void Dialog::OKButton_Click() {
    hide();
}

void Dialog::first_line_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::last_line_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::last_loaded_line_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::line_pre_last_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::line_next_last_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::random_line_Click() {
    line_load_startup->setEnabled(false);
}
void Dialog::line_no_Click() {
    line_load_startup->setEnabled(true);
}

namespace {

void EnableSpecifiedFile(Dialog& d, bool on) {
    d.note_file_specified_path->setEnabled(on);
    d.Command1->setEnabled(on);
}

}  // namespace

void Dialog::load_default_Click() {
    EnableSpecifiedFile(*this, false);
}
void Dialog::load_last_Click() {
    EnableSpecifiedFile(*this, false);
}
void Dialog::load_nothing_Click() {
    EnableSpecifiedFile(*this, false);
}
void Dialog::load_specified_Click() {
    EnableSpecifiedFile(*this, true);
}

void Dialog::start_max_Click() {
    const bool maximised = start_max->Value() == 1;
    save_win_pos->setEnabled(!maximised);
    save_win_size->setEnabled(!maximised);
}

void Dialog::Command1_Click() {
    if (const auto path =
            BrowseForFile(host_, fileDialog_,
                          QStringLiteral("Select a file to open with Lintrel on program startup"),
                          kNoteFileFilter)) {
        note_file_specified_path->setText(*path);
    }
}

void Dialog::Command2_Click() {
    if (const auto path =
            BrowseForFile(host_, fileDialog_,
                          QStringLiteral("Select an external text editor to use with Lintrel"),
                          kEditorFileFilter)) {
        text_editor_path->setText(*path);
    }
}

}  // namespace lintrel
