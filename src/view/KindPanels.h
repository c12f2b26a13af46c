#pragma once

class CKymoDoc;
class PlotCanvas;
struct ViewState;
struct ViewLayout;

// Panels of every data kind the view draws itself (file, analysis, stored and live kinds).
void DrawKindPanels(PlotCanvas& c, CKymoDoc& doc, ViewState& state, const ViewLayout& layout);
// Panels of the instrument, filter-tool and software-radio kinds; false for other kinds.
bool DrawInstrumentPanels(PlotCanvas& c, CKymoDoc& doc, ViewState& state, const ViewLayout& layout);
// The 3D spectrum's kinds 28 to 31; false for other kinds.
bool DrawSpectrum3dKinds(PlotCanvas& c, CKymoDoc& doc, ViewState& state, const ViewLayout& layout);
// Title of the lower (frequency) panel of kinds 2 and 7 for the presentation code; "" for none.
const char* ComplexPanelTitle(int kind, int presentation);
