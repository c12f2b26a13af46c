#pragma once

#include "view/PlotScale.h"

#include <cstdint>
#include <string>
#include <vector>

class CKymoDoc;
class PlotCanvas;

// Min/max envelope of a whole recording, built once per load and kept by the view.
struct WaveEnvelope {
    int frames = 0;   // frames of the recording it was built from
    int segments = 0; // M
    bool ch1 = false, ch2 = false;
    std::vector<float> max1, min1, max2, min2;
    float amp = 1; // largest absolute recorded value over both channels, 1 when 0
    bool Empty() const { return segments == 0; }
};

// Builds the envelope of the document's wave image for the channels of `disp_mode3`
// (1 or 3: ch1; 2 or 3: ch2; the filtered codes 11..13 likewise).
WaveEnvelope BuildWaveEnvelope(const CKymoDoc& doc);

// Envelope of an image laid out like the wave image (the filtered image of kind 13).
WaveEnvelope BuildImageEnvelope(const CKymoDoc& doc, const std::uint8_t* image, int size);

// Header lines of the whole-wave display after a load, in drawing order ("" for a skipped line).
std::vector<std::string> WaveHeaderLines(const CKymoDoc& doc);
// The last header line of a filtering result: taps (FIR) or order (IIR) and the cut-offs of the
// filter actually used, then the state codes.
std::string FilterResultLine(const CKymoDoc& doc);

// Whole-wave display of kind 3: upper panel "[時間表示]" with the envelope, lower panel
// "[エリア表示]". Builds the envelope when the document was just loaded (disp_mode0 = 5) or
// when `env` does not belong to the current recording, stores its scale in m_fWaveAmp, and after
// a load draws the header lines and moves disp_mode0 on to 3.
void DrawWaveOverview(PlotCanvas& c, CKymoDoc& doc, WaveEnvelope& env, const PanelRect& upper,
                      const PanelRect& lower);

// Twin of the overview for kind 13: the wave image above, the whole filtered image below
// "[FIRの結果表示]"; after a filtering run (disp_mode0 = 6) the header lines with the tap count
// and cut-off.
void DrawFilterOverview(PlotCanvas& c, CKymoDoc& doc, WaveEnvelope& wave, WaveEnvelope& filtered,
                        const PanelRect& upper, const PanelRect& lower);
void DrawHeaderLines(PlotCanvas& c, const std::vector<std::string>& lines);

// The envelope traces alone (used by the overview and its twin of the filtered image).
void DrawEnvelope(PlotCanvas& c, const PanelRect& r, const WaveEnvelope& env);
// Frame and labels of a whole-wave panel.
void DrawWavePanel(PlotCanvas& c, const PanelRect& r, const std::string& title, double seconds,
                   double amp);
