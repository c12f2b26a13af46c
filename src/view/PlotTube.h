#pragma once

#include "view/PlotScale.h"

class CKymoDoc;
class PlotCanvas;
struct TubeChart;

// The virtual tube amplifier's characteristics (data kind 34), three panels from top to bottom
// within [upper, lower] of the view: the plate curves with the load line and the operating point,
// the output against the input grid voltage, and THD against output power (log power axis).
void PlotTubeCharacteristics(PlotCanvas& c, const PanelRect& area, const TubeChart& chart);
// The live scope (kind 35): the plate curves above, the input of both channels below.
void PlotTubeScope(PlotCanvas& c, const PanelRect& upper, const PanelRect& lower,
                   const CKymoDoc& doc);
