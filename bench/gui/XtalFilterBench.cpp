// What the crystal filter workbench costs on every focus change: the design,
// its response figures and the chart's sweep (Compute), and the chart drawn
// anew on screen. Both must stay well under the time between two keystrokes.
//
//   build/bench/vantix_gui_bench --benchmark_filter=Xtal

#include "calc/xtal_filter/XtalFilterDlg.h"
#include "dialogs/ResponseChart.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// Recomputes with two bandwidths in turn, so that every pass designs anew;
// with bRedraw the chart is also painted at once, as the event loop would
// right after the focus change.
void RecomputeLoop(benchmark::State& state, bool bRedraw) {
    CXtalFilterDlg dlg;
    dlg.show();
    QApplication::processEvents();
    int nPass = 0;
    for (auto _ : state) {
        dlg.m_editBandwidth->setText(++nPass % 2 ? QStringLiteral("2.5") : QStringLiteral("2.4"));
        dlg.Compute();
        if (bRedraw) {
            dlg.m_pChart->viewport()->repaint();
        }
    }
    if (!dlg.m_result.m_bComputed) {
        state.SkipWithError("the worked design did not compute");
    }
}

void BM_XtalRecompute(benchmark::State& state) {
    RecomputeLoop(state, false);
}
BENCHMARK(BM_XtalRecompute)->Unit(benchmark::kMillisecond);

void BM_XtalRecomputeAndRedraw(benchmark::State& state) {
    RecomputeLoop(state, true);
}
BENCHMARK(BM_XtalRecomputeAndRedraw)->Unit(benchmark::kMillisecond);

} // namespace
