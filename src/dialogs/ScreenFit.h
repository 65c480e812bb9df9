#pragma once

#include <QRect>

class QDialog;
class QScrollArea;

// A dialog larger than the screen it opens on: its controls go into a scroll
// area that fills the dialog, now as large as the screen allows, and the
// control with the keyboard focus is always scrolled into view, so that
// every field and the buttons stay reachable. The tab order and the focus
// are kept. Returns the scroll area (nullptr while the dialog fits).
// Calling it again with another area only resizes.
QScrollArea* FitDialogWithin(QDialog& dialog, const QRect& area);

// The area dialogs are fitted into: the screen's available area, or the one
// set here (an empty rect: the screen's again). For tests.
QRect DialogScreenArea(const QDialog& dialog);
void SetDialogScreenArea(const QRect& area);
