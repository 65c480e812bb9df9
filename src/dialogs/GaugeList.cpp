#include "dialogs/GaugeList.h"

#include "tables/WireGaugeTable.h"

#include <QComboBox>

namespace {

// The list is filled until the table runs out; this only bounds the loop.
constexpr int kMaxGauges = 1000;

} // namespace

void FillGaugeList(QComboBox& list, CWireGaugeTable& table) {
    list.clear();
    for (int i = 0; i < kMaxGauges && table.SelectIndex(i) >= 0; ++i) {
        list.addItem(QString::fromStdString(table.Name()));
    }
    list.setCurrentIndex(-1);
}
