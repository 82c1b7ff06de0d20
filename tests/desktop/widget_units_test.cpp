// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of both windows fits its control at the desktop's real fonts, with the
// windows scaled to the font.
#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>

#include <ostream>

#include "desktop/widget_units.h"
#include "form_fixture.h"

namespace lintrel {
namespace {

// The width a push button's caption needs, without the style's own minimum button width.
int ButtonCaptionWidth(const QPushButton* b) {
    const QStyle* style = b->style();
    return b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width() +
           2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
}

// What `w` draws, in its parent's coordinates: the caption and indicator of a label, option
// or check box (centred in its height, as drawn); the whole control otherwise.
QRect Ink(QWidget* w) {
    const bool labelled = qobject_cast<QLabel*>(w) != nullptr ||
                          qobject_cast<QCheckBox*>(w) != nullptr ||
                          qobject_cast<QRadioButton*>(w) != nullptr;
    if (!labelled) {
        return w->geometry();
    }
    int width = std::min(w->sizeHint().width(), w->width());
    int height = w->fontMetrics().height();
    if (qobject_cast<QLabel*>(w) == nullptr) {
        height = std::max(height, w->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, w));
    }
    if (auto* wrapping = qobject_cast<CheckBox*>(w); wrapping != nullptr && wrapping->WordWrap()) {
        return wrapping->WrappedTextRect()
            .united(QRect(QPoint(0, 0), QSize(1, height)))
            .translated(w->pos());
    }
    return QRect(w->x(), w->y() + (w->height() - height) / 2, width, height);
}

// What is clipped of a control's caption, or nothing.
const char* ClippedCaption(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        const bool clipped =
            ButtonCaptionWidth(b) > b->width() || b->sizeHint().height() > b->height();
        return !b->text().isEmpty() && clipped ? "button caption clipped" : nullptr;
    }
    if (auto* c = qobject_cast<CheckBox*>(w); c != nullptr && c->WordWrap()) {
        return c->heightForWidth(c->width()) > c->height() ? "wrapped caption clipped" : nullptr;
    }
    if (qobject_cast<QAbstractButton*>(w) != nullptr || qobject_cast<QLabel*>(w) != nullptr) {
        const QSize hint = w->sizeHint();
        return hint.width() > w->width() || hint.height() > w->height() ? "caption clipped"
                                                                        : nullptr;
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        return g->fontMetrics().horizontalAdvance(g->title()) + 16 > g->width()
                   ? "frame title clipped"
                   : nullptr;
    }
    return nullptr;
}

// Lists each control of `window` whose caption is clipped or runs into another control.
std::vector<std::string> Misfits(QWidget* window) {
    std::vector<std::string> out;
    auto report = [&](QWidget* w, const std::string& what) {
        out.push_back(w->objectName().toStdString() + ": " + what);
    };
    // The window's controls and those of its frames.
    QList<QWidget*> parents{window};
    for (QGroupBox* frame : window->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        parents << frame;
    }
    auto controlsOf = [window](QWidget* parent) {
        QList<QWidget*> controls;
        for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isVisibleTo(window) && !w->isWindow()) {
                controls << w;
            }
        }
        return controls;
    };
    for (QWidget* parent : parents) {
        const QList<QWidget*> controls = controlsOf(parent);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* a = controls[i];
            if (const char* clipped = ClippedCaption(a)) {
                report(a, clipped);
            }
            // No two controls of a frame (or of the window) draw over each other.
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                QWidget* b = controls[j];
                if (qobject_cast<QGroupBox*>(a) == nullptr &&
                    qobject_cast<QGroupBox*>(b) == nullptr && Ink(a).intersects(Ink(b))) {
                    report(a, "runs into " + b->objectName().toStdString());
                }
            }
        }
    }
    return out;
}

// A desktop font (0: the default one) on a screen whose free area is `available`.
struct Desktop {
    double points;
    QSize available;
};

void PrintTo(const Desktop& d, std::ostream* out) {
    *out << d.points << " pt on " << d.available.width() << " x " << d.available.height();
}

class CaptionsTest : public ::testing::TestWithParam<Desktop> {};

// On the smallest screens people use (1280 x 720, 1366 x 768 at 1.25, 1280 x 1024 at 2, their
// free area in Qt's pixels), and at the desktop's default font, 9 and 11 points: both windows
// fit the screen in their frames, with every caption fitting its control; where the screen
// has room, the layout keeps the font's scale.
TEST_P(CaptionsTest, EveryCaptionFitsAndNothingOverlaps) {
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    std::optional<test::AppFont> font;
    if (GetParam().points > 0) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(GetParam().points);
        font.emplace(f);
    }
    const double fontScale = LayoutScale(QApplication::font());
    QTemporaryDir dir;
    test::FakeHost host;
    host.folder = dir.path();
    host.available = GetParam().available;
    Form1 form(host);
    form.show();
    Dialog& d = form.SettingsDialog();
    EXPECT_LE(form.Scale(), fontScale);
    EXPECT_LE(d.Scale(), fontScale);
    EXPECT_EQ(Misfits(&form), std::vector<std::string>{});
    EXPECT_EQ(Misfits(&d), std::vector<std::string>{});
    // Each window in its design frame (8 x 32 and 6 x 26 pixels) fits the free area.
    EXPECT_LE(form.minimumWidth() + 8, host.available.width());
    EXPECT_LE(form.minimumHeight() + 32, host.available.height());
    EXPECT_LE(d.width() + 6, host.available.width());
    EXPECT_LE(d.height() + 26, host.available.height());
    const bool room = TwipsToPixels(8775 * fontScale) + 6 <= host.available.width() &&
                      TwipsToPixels(5535 * fontScale) + 26 <= host.available.height();
    if (room) {
        EXPECT_EQ(d.Scale(), fontScale);
        EXPECT_EQ(form.Scale(), fontScale);
    }
    // The long font-list caption takes two lines in its box, beside the button.
    const int line = d.load_font_list_at_startup->fontMetrics().lineSpacing();
    EXPECT_GE(d.load_font_list_at_startup->heightForWidth(d.load_font_list_at_startup->width()),
              2 * line);
}

INSTANTIATE_TEST_SUITE_P(DesktopFonts, CaptionsTest,
                         ::testing::Values(Desktop{0, {1920, 1050}}, Desktop{9, {1920, 1050}},
                                           Desktop{11, {1920, 1050}}, Desktop{0, {1280, 690}},
                                           Desktop{11, {1280, 690}}, Desktop{9, {1093, 590}},
                                           Desktop{11, {1093, 590}}, Desktop{0, {640, 490}},
                                           Desktop{9, {640, 490}}, Desktop{11, {640, 490}}),
                         [](const auto& test) {
                             const Desktop& d = test.param;
                             return (d.points == 0
                                         ? std::string("DefaultFont")
                                         : "DejaVuSans" + std::to_string(int(d.points)) + "pt") +
                                    "On" + std::to_string(d.available.width()) + "x" +
                                    std::to_string(d.available.height());
                         });

// The scale follows the font, never shrinks the design, and leaves the saved window size in
// physical twips.
TEST(LayoutScaleTest, GrowsWithTheFontAndKeepsTheFilesPhysical) {
    EXPECT_EQ(LayoutScale(test::AppFont::Design()), 1.0);
    const double nine = LayoutScale(QFont(QStringLiteral("DejaVu Sans"), 9));
    const double eleven = LayoutScale(QFont(QStringLiteral("DejaVu Sans"), 11));
    EXPECT_GT(nine, 1.2);
    EXPECT_GT(eleven, nine);

    test::AppFont font(QFont(QStringLiteral("DejaVu Sans"), 11));
    QTemporaryDir dir;
    test::FakeHost host;
    host.folder = dir.path();
    Form1 form(host);
    EXPECT_EQ(form.Scale(), eleven);
    // The minimum grows with the scale; a size set in twips is kept as it is on the screen.
    EXPECT_EQ(form.minimumWidth(), TwipsToPixels((8670 - 120) * eleven));
    form.SetWidth(30000);
    form.SetHeight(12000);
    EXPECT_EQ(form.Width(), 30000);
    EXPECT_EQ(form.Height(), 12000);
    EXPECT_EQ(form.width(), 1992);
}

}  // namespace
}  // namespace lintrel
