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

// The family the system gives for strName, when that is a family that writes
// Japanese; "" otherwise. The font database lists families under the names
// of the desktop's language ("IPA Pゴシック" under ja_JP), so a name is never
// looked up in that list: the font matching knows every name of a family.
QString JapaneseFamilyNamed(const QString& strName);

// Whether text in the font lines up in character cells as the reports need:
// every half-width character one cell, every full-width one two. (CJK
// fonts built so are "dual width", which the font database does not count
// as fixed pitch.) A name the system does not have may be given such a
// font in its place, so a role is checked, never assumed from the name.
bool HasCharacterCells(const QFont& font);

// Average width of the letters A-Z a-z (rounded as the dialog manager does)
// and the font's line height, in pixels.
QSize DialogBaseUnits(const QFont& font);

// Dialog units to pixels. Each edge is converted separately and rounded, so
// neighbouring controls in the template stay neighbours on the screen.
QRect MapDialogRect(const QRect& dialogUnits, const QSize& baseUnits);
