#pragma once

#include <QIcon>
#include <QString>

// The program's icon (window, about box).
QIcon ApplicationIcon();
// A 16 x 15 toolbar picture drawn from its SVG in the resources.
QIcon ToolbarIcon(const QString& strResource);
