#pragma once

#include <QFont>

// Fonts of the shell. Japanese text needs a Japanese font: the proportional
// gothic for the window and dialogs, the monospaced one for the log, whose
// reports are laid out in columns.
// Families are found the same way whatever the desktop's language.
QFont DialogFont(qreal dPointSize = 9.0);
QFont EditorFont();
QFont PrintFont();
