#pragma once

class CKymoDoc;
class PlotCanvas;
struct ViewState;
struct ViewLayout;

// The running display of an averaging pass (pending kinds 8, 18, 24, 27): the last record in the
// upper panel, the running average in the lower one (PlotLogProgress for the spectrum and the
// transfer function, PlotCorrelation for the correlations). Draws nothing before the first
// running display of a pass.
void DrawAveragingProgress(PlotCanvas& c, CKymoDoc& doc, ViewState& state, const ViewLayout& l);
