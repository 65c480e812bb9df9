// Benchmarks of the dialog layer: opening a calculator dialog from its
// template against a hand-built QDialog with the same widgets, and the cost
// of one focus change (read all fields, compute, write the results), which is
// what the user waits for on every Tab, Enter or click.
//
//   build/bench/vantix_gui_bench --benchmark_filter=Dialog

#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"
#include "templates/VfoTankTemplate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

void BM_DialogOpenVfoTank(benchmark::State& state) {
    for (auto _ : state) {
        CVfoTankDlg dlg;
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.m_editFreqMin);
    }
}
BENCHMARK(BM_DialogOpenVfoTank)->Unit(benchmark::kMillisecond);

// The same 24 widgets placed by hand, with no template, font or filter.
void BM_DialogOpenBaseline(benchmark::State& state) {
    for (auto _ : state) {
        QDialog dlg;
        for (const CControlTemplate& control : VfoTankTemplate().controls) {
            QWidget* pWidget = control.eKind == EControlKind::Edit ? new QLineEdit(&dlg)
                               : control.eKind == EControlKind::PushButton
                                   ? static_cast<QWidget*>(new QPushButton(&dlg))
                                   : new QLabel(QString::fromUtf8(control.pszText), &dlg);
            pWidget->setGeometry(control.x * 7 / 4, control.y * 13 / 8, control.cx * 7 / 4,
                                 control.cy * 13 / 8);
        }
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(&dlg);
    }
}
BENCHMARK(BM_DialogOpenBaseline)->Unit(benchmark::kMillisecond);

// One Enter in the pi attenuator: read, move the focus, recompute on the
// focus loss, write the results.
void BM_DialogEnterRecomputePi(benchmark::State& state) {
    CPiAttenuatorDlg dlg;
    dlg.show();
    dlg.activateWindow();
    QApplication::processEvents();
    dlg.m_editImpedance->setText("50");
    dlg.m_editAttenuation->setText("10");
    dlg.MoveFocus(1022);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    if (dlg.m_strR1 != "71.15") {
        state.SkipWithError("the focus changes did not recompute");
    }
}
BENCHMARK(BM_DialogEnterRecomputePi)->Unit(benchmark::kMicrosecond);

} // namespace
