#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Dialog units scale a template with its font: horizontally a quarter, and
// vertically an eighth, of the font's base units (average character width
// and character height). IPAPGothic 9 pt at 96 DPI gives base units of 7 x 13
// pixels.

// The font a template asks for when it is installed, else IPAPGothic, else
// any proportional font that covers Japanese, else the application font.
QFont DialogFont(const char* pszFace, int nPointSize);

// Average width of the letters A-Z a-z (rounded as the dialog manager does)
// and the font's line height, in pixels.
QSize DialogBaseUnits(const QFont& font);

// Dialog units to pixels. Each edge is converted separately and rounded, so
// neighbouring controls in the template stay neighbours on the screen.
QRect MapDialogRect(const QRect& dialogUnits, const QSize& baseUnits);
