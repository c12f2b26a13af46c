#pragma once

#include "view/PlotScale.h"
#include "view/Spectrum3dPicture.h"
#include "view/ViewScales.h"
#include "view/WaveOverview.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <string>

class CKymoDoc;
class PlotCanvas;
class QPainter;

// What the main view keeps between redraws.
struct ViewState {
    ViewScales scales;
    int m_nPhaseMode = 0; // phase display of the log plots (phasemode::)
    int m_nDrawStep = 1;  // sample step of long records
    WaveEnvelope envelope;
    WaveEnvelope filterEnvelope; // filtered image of kind 13
    QImage waterfall;            // 256 x 256 canvas of the software radio's waterfall
    Picture3dState picture3d;    // origins, horizons and live picture of the 3D spectrum
    // Start screen figure: a fixed value 0 .. 32767, or -1 for a new random choice per redraw.
    int startScreenRandom = -1;
};

// Upper and lower panels of the document's plot rectangle and the plot font height.
struct ViewLayout {
    PanelRect upper;
    PanelRect lower;
    double fontHeight = 13;
};
ViewLayout ComputeLayout(const CKymoDoc& doc);

// Where a document view is drawn.
struct DrawTarget {
    QSize size;         // device size of the drawn area (filled white on the screen)
    double scale = 1.0; // device units per logical unit
    bool printing = false;
    QPointF origin; // device position of the logical origin (scroll offset on the screen)
};

struct DrawResult {
    bool panelsDrawn = false; // the redraw reached its panels
    std::string warning;      // message to show ("注意メッセージ") after the redraw, if any
    bool repaint = false;     // the view should be drawn again (erasing) after the warning
};

// Draws the document's current data kind as the main view does (with all side effects on the
// document: scales, envelope, m_bRealBusy ...). Usable without widgets.
DrawResult DrawDocumentView(QPainter& painter, CKymoDoc& doc, ViewState& state,
                            const DrawTarget& target);

// Renders the view into an image of `size` pixels (white ground), as the screen shows it.
QImage RenderDocumentView(CKymoDoc& doc, ViewState& state, const QSize& size,
                          DrawResult* result = nullptr);

// Kinds drawn into a back buffer and copied in one block (live instrument displays).
bool IsBufferedKind(int kind);
// Kinds whose logical y grows downward.
bool IsYDownKind(int kind);
// Kinds that draw every sample (m_nDrawStep = 1 regardless of N).
bool DrawsEverySample(int kind);
// Sample step for N points: 1 below 4097 points, N/4096 otherwise.
int DrawStepFor(int n);
// True when m_nWindowType names a window (neither rectangular 0 nor the cut marker 7).
bool IsWindowed(const CKymoDoc& doc);

// Kinds drawn by other subsystems (averaging analyses, 3D picture, tube amplifier ...) register
// their painter here; it replaces the view's own panels for that kind.
using KindPainter =
    std::function<void(PlotCanvas& canvas, CKymoDoc& doc, ViewState& state, const ViewLayout&)>;
bool RegisterKindPainter(int kind, KindPainter painter);
