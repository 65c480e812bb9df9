#pragma once

class CWireGaugeTable;
class QComboBox;

// Fills a drop-down list with the wire table's gauge names (AWG0 to AWG46)
// and selects none. Items go in at the end, in table order, and are never
// sorted, so a list position is a table index.
void FillGaugeList(QComboBox& list, CWireGaugeTable& table);
