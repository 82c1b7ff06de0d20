#include "settings_dialog/dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>
#include <vector>

#include "main_window/form1.h"
#include "platform/browse.h"
#include "platform/host.h"
#include "platform/widget_units.h"
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

Dialog::Dialog(Form1& owner) : owner_(owner), host_(owner.host()) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Settings - Lintrel"));
    // A fixed tool window: no minimise or maximise box, not listed in the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    BuildControls();
    Form_Load();
}

Dialog::~Dialog() = default;

void Dialog::BuildControls() {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    auto place = [&](QWidget* w, const char* name, QRect twips, int tabIndex) {
        w->setObjectName(QLatin1String(name));
        PlaceInTwips(w, twips);
        tabOrder.emplace_back(tabIndex, w);
    };
    auto frame = [&](const char* name, const QString& title, QRect twips, int tab) {
        auto* f = new QGroupBox(title, this);
        place(f, name, twips, tab);
        return f;
    };
    auto label = [&](QWidget* parent, const char* name, const QString& text, QRect twips, int tab) {
        auto* l = new QLabel(text, parent);
        place(l, name, twips, tab);
        return l;
    };
    auto option = [&](QWidget* parent, const char* name, const QString& text, QRect twips, int tab,
                      void (Dialog::*handler)()) {
        auto* o = new QRadioButton(text, parent);
        place(o, name, twips, tab);
        connect(o, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on) {
                (this->*handler)();
            }
        });
        return o;
    };
    auto check = [&](QWidget* parent, const char* name, const QString& text, QRect twips, int tab) {
        auto* c = new CheckBox(text, parent);
        place(c, name, twips, tab);
        return c;
    };
    auto textBox = [&](QWidget* parent, const char* name, const QString& text, QRect twips,
                       int tab) {
        auto* t = new QLineEdit(text, parent);
        place(t, name, twips, tab);
        return t;
    };
    auto button = [&](QWidget* parent, const char* name, const QString& text, QRect twips, int tab,
                      void (Dialog::*handler)()) {
        auto* b = new QPushButton(text, parent);
        b->setAutoDefault(false);
        place(b, name, twips, tab);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto list = [&](QWidget* parent, const char* name, QRect twips, int tab,
                    void (Dialog::*handler)()) {
        auto* l = new QComboBox(parent);
        l->setEditable(false);
        place(l, name, twips, tab);
        connect(l, &QComboBox::currentIndexChanged, this, [this, handler](int index) {
            if (index >= 0) {
                (this->*handler)();
            }
        });
        return l;
    };
    auto swatch = [&](QWidget* parent, const char* name, QRect twips, int tab,
                      void (Dialog::*handler)()) {
        auto* s = new ColourSwatch(host_, parent);
        place(s, name, twips, tab);
        connect(s, &QPushButton::clicked, this, handler);
        return s;
    };

    Frame2 = frame("Frame2", QStringLiteral("General settings"), {120, 120, 4215, 3375}, 8);
    Label1 = label(Frame2, "Label1", QStringLiteral("When Lintrel start, load:"),
                   {120, 360, 3615, 255}, 9);
    first_line = option(Frame2, "first_line", QStringLiteral("First line of the file"),
                        {240, 600, 3135, 255}, 14, &Dialog::first_line_Click);
    last_line = option(Frame2, "last_line", QStringLiteral("Last line of the file"),
                       {240, 840, 3135, 255}, 23, &Dialog::last_line_Click);
    last_loaded_line = option(Frame2, "last_loaded_line", QStringLiteral("Line loaded last time"),
                              {240, 1080, 3135, 255}, 10, &Dialog::last_loaded_line_Click);
    line_pre_last =
        option(Frame2, "line_pre_last", QStringLiteral("Line previous to the last loaded line"),
               {240, 1320, 3375, 255}, 11, &Dialog::line_pre_last_Click);
    line_next_last =
        option(Frame2, "line_next_last", QStringLiteral("Line next to the last loaded line"),
               {240, 1560, 3255, 255}, 12, &Dialog::line_next_last_Click);
    random_line = option(Frame2, "random_line", QStringLiteral("Random line"),
                         {240, 1800, 3135, 255}, 13, &Dialog::random_line_Click);
    line_no = option(Frame2, "line_no", QStringLiteral("Line number:"), {240, 2040, 1335, 255}, 17,
                     &Dialog::line_no_Click);
    line_load_startup =
        textBox(Frame2, "line_load_startup", QStringLiteral("1"), {1560, 2040, 2535, 285}, 18);
    Label2 = label(Frame2, "Label2",
                   QStringLiteral("Specify path of external text editor for file editing:"),
                   {120, 2520, 3615, 255}, 15);
    text_editor_path = textBox(Frame2, "text_editor_path", QStringLiteral("notepad.exe"),
                               {120, 2760, 2775, 285}, 16);
    Command2 = button(Frame2, "Command2", QStringLiteral("Bro&wse"), {3000, 2760, 1095, 255}, 34,
                      &Dialog::Command2_Click);

    Frame3 = frame("Frame3", QStringLiteral("Window settings"), {120, 3600, 4215, 1335}, 19);
    start_max =
        check(Frame3, "start_max", QStringLiteral("Start maximized"), {240, 360, 1695, 195}, 20);
    save_win_pos = check(Frame3, "save_win_pos", QStringLiteral("Save window position"),
                         {240, 600, 1935, 255}, 21);
    save_win_size = check(Frame3, "save_win_size", QStringLiteral("Save window size"),
                          {240, 840, 1935, 255}, 22);
    connect(start_max, &QCheckBox::stateChanged, this, &Dialog::start_max_Click);

    Frame1 = frame("Frame1", QStringLiteral("Font settings"), {4440, 120, 4215, 2175}, 1);
    load_font_list_at_startup =
        check(Frame1, "load_font_list_at_startup",
              QStringLiteral("Load font list at program start (increases loading time)"),
              {120, 360, 2415, 435}, 24);
    load_font_list_now = button(Frame1, "load_font_list_now", QStringLiteral("Load font &list"),
                                {2520, 360, 1455, 375}, 25, &Dialog::load_font_list_now_Click);
    font_list = list(Frame1, "font_list", {120, 840, 2775, 315}, 2, &Dialog::font_list_Click);
    font_size_list =
        list(Frame1, "font_size_list", {3000, 840, 975, 315}, 3, &Dialog::font_size_list_Click);
    bo = check(Frame1, "bo", QStringLiteral("Bold"), {120, 1320, 735, 195}, 4);
    it = check(Frame1, "it", QStringLiteral("Italic"), {960, 1320, 855, 195}, 5);
    un = check(Frame1, "un", QStringLiteral("Underlined"), {1800, 1320, 1215, 195}, 6);
    st = check(Frame1, "st", QStringLiteral("Striketout"), {3000, 1320, 975, 195}, 7);
    connect(bo, &QCheckBox::stateChanged, this, &Dialog::bo_Click);
    connect(it, &QCheckBox::stateChanged, this, &Dialog::it_Click);
    connect(un, &QCheckBox::stateChanged, this, &Dialog::un_Click);
    connect(st, &QCheckBox::stateChanged, this, &Dialog::st_Click);
    Label4 = label(Frame1, "Label4", QStringLiteral("Font &colour:"), {120, 1760, 855, 255}, 35);
    font_colour =
        swatch(Frame1, "font_colour", {1080, 1680, 375, 375}, 37, &Dialog::font_colour_Click);
    Label5 = label(Frame1, "Label5", QStringLiteral("Font bac&kground colour:"),
                   {1800, 1755, 1815, 255}, 36);
    font_background_colour = swatch(Frame1, "font_background_colour", {3600, 1680, 375, 375}, 38,
                                    &Dialog::font_background_colour_Click);
    font_background_colour->SetBackColor(0xFFFFFF);
    // The labels' Alt keys press the swatches; a screen reader names the swatches.
    Label4->setBuddy(font_colour);
    Label5->setBuddy(font_background_colour);
    font_colour->setAccessibleName(QStringLiteral("Font colour"));
    font_background_colour->setAccessibleName(QStringLiteral("Font background colour"));

    Frame4 = frame("Frame4", QStringLiteral("File settings"), {4440, 2400, 4215, 2535}, 26);
    Label3 = label(Frame4, "Label3",
                   QStringLiteral("If path of file is not specified in the command-line, load:"),
                   {120, 360, 3855, 255}, 27);
    load_default = option(Frame4, "load_default",
                          QStringLiteral("Load \"Default.txt\", if present in same folder"),
                          {240, 600, 3375, 255}, 30, &Dialog::load_default_Click);
    load_last = option(Frame4, "load_last", QStringLiteral("Load file loaded last time"),
                       {240, 840, 3135, 255}, 28, &Dialog::load_last_Click);
    load_nothing = option(Frame4, "load_nothing", QStringLiteral("Load nothing"),
                          {240, 1080, 3135, 255}, 29, &Dialog::load_nothing_Click);
    load_specified = option(Frame4, "load_specified", QStringLiteral("Load specified file:"),
                            {240, 1320, 3135, 255}, 31, &Dialog::load_specified_Click);
    note_file_specified_path =
        textBox(Frame4, "note_file_specified_path", QString(), {240, 1560, 2655, 285}, 32);
    Command1 = button(Frame4, "Command1", QStringLiteral("&Browse"), {3000, 1560, 1095, 255}, 33,
                      &Dialog::Command1_Click);
    Label6 = label(Frame4, "Label6",
                   QStringLiteral("Use the following characters for separation of notes:"),
                   {120, 1920, 3735, 255}, 39);
    notes_separation_characters =
        textBox(Frame4, "notes_separation_characters", QString(), {120, 2160, 3975, 285}, 40);

    OKButton = button(this, "OKButton", QStringLiteral("&OK"), {3720, 5040, 1335, 375}, 0,
                      &Dialog::OKButton_Click);

    // Initial states; the enabling handlers set what follows from them.
    random_line->setChecked(true);
    load_default->setChecked(true);
    load_font_list_at_startup->setCheckState(Qt::Checked);
    load_font_list_at_startup->setMinimumHeight(0);
    start_max_Click();
    ApplyStyle();

    // Keyboard order by tab index; frames and labels take a place but never the focus.
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void Dialog::ApplyStyle() {
    // The style check boxes show their caption in the style they stand for.
    auto styled = [](QWidget* w, auto apply) {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPointSizeF(8.25);
        apply(f);
        w->setFont(f);
    };
    styled(bo, [](QFont& f) { f.setWeight(QFont::Bold); });
    styled(it, [](QFont& f) { f.setItalic(true); });
    styled(un, [](QFont& f) { f.setUnderline(true); });
    styled(st, [](QFont& f) { f.setStrikeOut(true); });
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
    const double screenWidth = PixelsToTwips(screen.width());
    const double screenHeight = PixelsToTwips(screen.height());
    const double outerWidth = kClientWidthTwips + kDialogFrameWidthTwips;
    const double outerHeight = kClientHeightTwips + kDialogFrameHeightTwips;
    const double top = (screenHeight - outerHeight) / 2;
    const double left = (screenWidth - outerWidth) / 2;
    move(TwipsToPixels(left), TwipsToPixels(top));
}

void Dialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    Form_Unload();
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
            BrowseForFile(host_, owner_.CommonDialog1,
                          QStringLiteral("Select a file to open with Lintrel on program startup"),
                          QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"))) {
        note_file_specified_path->setText(*path);
    }
}

void Dialog::Command2_Click() {
    if (const auto path =
            BrowseForFile(host_, owner_.CommonDialog1,
                          QStringLiteral("Select an external text editor to use with Lintrel"),
                          QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*"))) {
        text_editor_path->setText(*path);
    }
}

}  // namespace lintrel
