#pragma once

#include <QFont>

// The plot font: the program's "ＭＳ 明朝" face, resolved to an installed Mincho family
// (IPAMincho on Debian), falling back to a Gothic face and then to the default family.
QString PlotFontFamily();
QFont MakePlotFont(int pixelHeight);
