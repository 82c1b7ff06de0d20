// SPDX-License-Identifier: GPL-3.0-or-later
// How long filling the font lists takes, with the machine's fonts and with a few hundred
// families, on Qt's offscreen platform.
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "desktop/qt_host.h"
#include "main_window/form1.h"
#include "settings_dialog/dialog.h"

namespace {

// The real host, with `extra` made-up families added to the installed ones.
class FontHost : public lintrel::QtHost {
  public:
    explicit FontHost(int extra) : extra_(extra) {}
    QStringList FontFamilies() override {
        QStringList families = QtHost::FontFamilies();
        for (int i = 0; i < extra_; ++i) {
            families << QStringLiteral("Family %1").arg(i, 4, 10, QLatin1Char('0'));
        }
        return families;
    }
    QString ProgramFolder() override { return dir_.path(); }

  private:
    int extra_;
    QTemporaryDir dir_;
};

void BM_LoadFontList(benchmark::State& state) {
    FontHost host(static_cast<int>(state.range(0)));
    lintrel::Form1 form(host);
    lintrel::Dialog& dialog = form.SettingsDialog();
    for (auto _ : state) {
        benchmark::DoNotOptimize(dialog.Load_Font_list());
    }
    state.counters["families"] = dialog.font_list->count();
}
BENCHMARK(BM_LoadFontList)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
