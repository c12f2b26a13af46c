#pragma once

#include "view/PlotScale.h"

#include <QColor>

#include <string>
#include <vector>

class PlotCanvas;

// The plot families. Each routine maps the given arrays onto the given panel rectangle (logical
// units, y up) and keeps no state between calls. Text uses the canvas font, set by the caller
// from the panel size (PlotFontHeight).

// Height of the plot font for a panel: 0.013·(W + 3·H).
double PlotFontHeight(const PanelRect& r);

enum class PanelGrid { Linear, Log };
// Fill, border, horizontal grid (and the linear vertical grid) and the centred title.
void DrawPanelFrame(PlotCanvas& c, const PanelRect& r, const std::string& title, PanelGrid grid);

// Linear plot of one or two arrays (types 1, 2: time; 3: magnitude/phase of a + jb;
// 4: real/imaginary; 10: impulse response). Every `drawStep`-th point is drawn.
namespace tracetype {
constexpr int Time = 1;
constexpr int TimeTwo = 2;
constexpr int MagPhase = 3;
constexpr int RealImag = 4;
constexpr int Impulse = 10;
} // namespace tracetype
void PlotTrace(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double scaleA,
               double scaleB, int n, double step, int type, const std::string& title,
               int drawStep = 1);

// Time plot with vertical offsets p1, p2 (percent of the half height) and clamping
// (types 1: ch1; 2: both; 3: a ch2-only record in `a`; 6: one record labelled "max").
void PlotTimeRecord(PlotCanvas& c, const PanelRect& r, const float* a, const float* b,
                    double scale1, double scale2, int p1, int p2, int n, double dt, int type,
                    const std::string& title, int drawStep = 1);

// Oscilloscope screen.
struct ScopeParams {
    double s1 = 1, s2 = 1; // full scales
    int p1 = 0, p2 = 0;    // positions in percent
    int n = 0;             // record points N
    double dt = 0;         // time step of the record
    int show = 1;          // 1 ch1, 2 both, 3 ch2, 4 X-Y
    int interp = 1;        // interpolation factor D: N' = D·N points are drawn
    double trigFrac = 0;   // trigger fraction of one point step
    std::string title = "[Oscilloscope]";
};
void PlotScope(PlotCanvas& c, const PanelRect& r, const float* r1, const float* r2,
               const ScopeParams& p);

// Correlation over lags -n/Z .. n/Z of circular correlations of n points. Types 1, 2 draw the
// frame and one or two traces; 3 only the frame; 4, 5 one or two traces in XOR without frame.
// Returns the draw step it used.
int PlotCorrelation(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double s,
                    int n, double dt, int Z, int type, const std::string& title);

// Decade grid and frequency labels of the logarithmic axis.
void DrawLogAxis(PlotCanvas& c, const PanelRect& r, const LogAxis& axis);
// dB labels at the left edge; `progressLabels` gives the "%3d  " division of the running plots.
void DrawDbLabels(PlotCanvas& c, const PanelRect& r, const DbScale& s, bool progressLabels = false);
// x of bin k on the log axis.
double BinX(const LogAxis& axis, const PanelRect& r, int k);

// Level (dB) and phase of a complex array on the log-frequency axis. `automatic` selects the
// automatic dB rules. With draw = false only axis, grid and labels are drawn.
void PlotBode(PlotCanvas& c, const PanelRect& r, const float* re, const float* im, double top,
              double bottom, bool automatic, int n, double e, bool draw, int phaseMode,
              const std::string& title);

// The coherence γ² of bins 1 .. n/2 - 1 over a panel already drawn by PlotBode with the same n
// and e: 0 at the lower edge, 1 at the upper edge, values limited to 0 .. 1, in the coherence
// colour, with the legend "ｺﾋｰﾚﾝｽ(0～1)" inside the upper left corner.
void PlotCoherence(PlotCanvas& c, const PanelRect& r, const float* coherence, int n, double e);

// One (types 1, 3) or two (2, 4) amplitude arrays in dB on the log-frequency axis.
void PlotLogSpectrum(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double top,
                     double bottom, bool automatic, int n, double e, int type,
                     const std::string& title, bool swapColours = false);

// Running averages of the averaging analyses (types 2..7, odd types with frame and title).
// Traces are drawn in XOR so that drawing them again erases them. Types 2, 3: transfer
// function re + j·im; 4, 5: amplitude a (= re); 6, 7: amplitudes a (= re) and b (= im).
void PlotLogProgress(PlotCanvas& c, const PanelRect& r, const float* re, const float* im,
                     double top, double bottom, int n, double e, int type,
                     const std::string& title);

// Colour of waterfall index i (0..255 after |i| mod 256).
QColor WaterfallColour(int i);
// Colour of the hue ramp (index 0..6143 of six segments).
QColor HueColour(int i);

// Linear-frequency spectrum of the software radio: one or two amplitude arrays in dB over
// bins 0 .. n/2 - 1 with the level scale top .. bottom (fixed rules), 10 vertical divisions
// (20 when twoSided) and the frequency labels in kHz of the sampling rate fs.
void PlotLinearSpectrum(PlotCanvas& c, const PanelRect& r, const float* a, const float* b,
                        double top, double bottom, int n, int fs, bool twoSided,
                        const std::string& title);

// Complex response of one second-order stage at bins 0 .. n/2 - 1 of the log axis.
struct StageResponse {
    std::vector<float> re, im;
};
// Per-stage responses of a cascade (kind 72). Stage s (1-based) is drawn for s = 1 .. shown:
// in the cumulative display every one of them as the product of the stages up to it, otherwise
// only stage `shown` alone; colour HueColour(s·trunc(5852/S)), 2-pixel level, 1-pixel phase.
// The phase is drawn in mode 1, and in mode 0 only in the single-stage display. The fixed dB
// rules apply to top .. bottom. The product of all stages is written to overallRe/overallIm
// (bins 0 .. min(n/2, 2048) - 1) when they are given.
void PlotStages(PlotCanvas& c, const PanelRect& r, const std::vector<StageResponse>& stages,
                int shown, bool cumulative, double top, double bottom, int n, double e,
                int phaseMode, const std::string& title, float* overallRe = nullptr,
                float* overallIm = nullptr);
