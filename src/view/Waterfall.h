#pragma once

#include "view/PlotScale.h"

#include <QImage>

#include <string>

class PlotCanvas;

// The 256 x 256 waterfall canvas of the software radio.
constexpr int kWaterfallSize = 256;

// Blanks the canvas (the reset picture of kind 196).
void ResetWaterfall(QImage& canvas);
// Moves the canvas one row down and writes the new top row from the amplitude spectrum v of n
// points: level l = 20·log10(v) limited to [bottom, top] gives WaterfallColour index
// trunc(224·(l - bottom)/(top - bottom) + 32) mod 256. twoSided puts the upper half of the
// spectrum at the left.
void UpdateWaterfall(QImage& canvas, const float* v, int n, double top, double bottom,
                     bool twoSided);
// Colour index of level l (dB) for the scale top .. bottom.
int WaterfallIndex(double level, double top, double bottom);
// Frame of the waterfall panel with its texts, and the newest 128 rows stretched over it (XOR).
void DrawWaterfall(PlotCanvas& c, const PanelRect& r, const QImage& canvas, double dbPerDiv,
                   const std::string& title);
