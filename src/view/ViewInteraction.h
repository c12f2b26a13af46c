#pragma once

#include "view/PlotScale.h"

#include <QColor>

#include <optional>
#include <string>
#include <vector>

class CKymoDoc;
class PlotCanvas;
struct ViewLayout;
struct ViewState;

// Mouse interaction of the main view as plain functions. Points are logical (y up); the widget
// converts its scroll-view coordinates (y down) by negating y.

// Resize drag: the plot rectangle for a band from `a` to `b`, or nothing when the band is less
// than 40 units wide or high (the old rectangle stays). Width is forced into 100 .. 1000 and
// height into 50 .. 350 by moving the right and the upper edge.
std::optional<PanelRect> ResizedPlotRect(double ax, double ay, double bx, double by);

// The N-frame analysis window under cursor x on the whole-wave display.
struct CutWindow {
    bool inside = false; // x within the panel and the window ends at or before its right edge
    double width = 0;    // N·W/frames units
    int startFrame = 0;  // trunc((x - left)·frames/W)
};
CutWindow ComputeCutWindow(const CKymoDoc& doc, const ViewLayout& layout, double x);

// Cut cursor in XOR: the window's rectangle and its samples in the lower panel, or a vertical
// line when the window does not fit. Drawing it twice restores the picture.
void DrawCutCursor(PlotCanvas& c, const CKymoDoc& doc, const ViewLayout& layout, double x,
                   int drawStep);

// Read-out cursor on the frequency plots.
struct Readout {
    bool shown = false; // the kind and presentation have a read-out
    PanelRect panel;    // panel the cursor runs over
    bool valid = false; // 1 <= k < N/2
    int bin = 0;
    std::string text; // text line above the panel
    struct Marker {
        double x, y;
        QColor colour;
    };
    std::vector<Marker> markers;
};
Readout ComputeReadout(const CKymoDoc& doc, const ViewState& state, const ViewLayout& layout,
                       double x);
// Cursor line and markers in XOR, then the text line (opaque, over a line of blanks).
void DrawReadout(PlotCanvas& c, const Readout& r, double x);
