// What the LC filter designer costs on every focus change with its largest
// design, nine elements and three traps built on toroids with lossy coils:
// the design with both sets of figures, the lists, the schematic and the
// chart's sweep (Compute), and with the chart drawn anew on screen. Both
// must stay under 50 ms.
//
//   build/bench/vantix_gui_bench --benchmark_filter=Lc

#include "calc/lc_filter/LcFilterDlg.h"
#include "dialogs/ResponseChart.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

namespace {

void RecomputeLoop(benchmark::State& state, bool bRedraw) {
    CLcFilterDlg dlg;
    dlg.show();
    QApplication::processEvents();
    dlg.m_nOrderIndex = 9 - 2;
    dlg.m_nTraps = 3;
    dlg.m_nCore = dlg.m_comboCore->findText(QStringLiteral("T-50-6"));
    dlg.m_dQ = 150.0;
    dlg.m_dPower = 10.0;
    int nPass = 0;
    for (auto _ : state) {
        // Another cutoff each pass, so that every pass designs anew.
        dlg.m_dCutoff = ++nPass % 2 ? 7.5 : 7.6;
        dlg.UpdateData(false);
        dlg.Compute();
        if (bRedraw) {
            dlg.m_pChart->viewport()->repaint();
        }
    }
    if (!dlg.Design().m_bComputed) {
        state.SkipWithError(dlg.Design().m_strMessage.c_str());
    }
}

void BM_LcRecompute(benchmark::State& state) {
    RecomputeLoop(state, false);
}
BENCHMARK(BM_LcRecompute)->Unit(benchmark::kMillisecond);

void BM_LcRecomputeAndRedraw(benchmark::State& state) {
    RecomputeLoop(state, true);
}
BENCHMARK(BM_LcRecomputeAndRedraw)->Unit(benchmark::kMillisecond);

} // namespace
