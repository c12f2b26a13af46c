#pragma once

#include "view/PlotScale.h"

class CKymoDoc;
class PlotCanvas;

// Start screen of kind 0: an X-Y figure or one period of a sine and a cosine, titled "Sonalyx",
// with the hint that a mouse drag sets the plot size. `randomValue` (0 .. 32767) chooses the
// figure: above 16383 the X-Y figure with k = 21 + (randomValue >> 12). The values drawn are
// written into m_fWave1 and m_fWave2.
void DrawStartScreen(PlotCanvas& c, CKymoDoc& doc, const PanelRect& r, int randomValue);
