#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <cstdint>
#include <vector>

class CKymoDoc;
class QPainter;

// The three-dimensional picture of the 3D spectrum's row histories: frequency across a box,
// the row number into its depth, the level upward, seen obliquely from above. Hidden parts are
// removed with a floating horizon per pixel column; every visible point gets the hue of its
// height. Everything works in device pixels with y growing downward; the points are written
// straight into a QImage.

// Box and row spacing of one of the two layouts.
struct Layout3d {
    int W;    // width (frequency)
    int D;    // depth (rows 0 .. 400)
    int H;    // height (level)
    double g; // depth units per row
    int half; // half the box width: the box's left end is the plot centre minus this
};
Layout3d LargeLayout3d(); // finished picture: 400, 200, 150, 0.5
Layout3d LiveLayout3d();  // live picture: 250, 150, 100, 0.375

// The projection for the document's angle steps: azimuth α = 10 s + 5 degrees, elevation
// β = 10 t + 5 degrees.
struct Projection3d {
    Projection3d(int thetaStep, int phiStep);
    // Box coordinates (x across, y into the depth, z up) to a pixel offset from the origin:
    // X = r(y cos α - x sin α), Y = -r(z sin β - (x cos α + y sin α) cos β), r rounding half up.
    QPoint Project3d(double x, double y, double z) const;
    // The scales stand on the right (level) and left (time) when α < -90°.
    bool Mirrored() const { return alphaDeg < -90; }
    int alphaDeg;
    double sa, ca, sb, cb;
};

constexpr int kHorizonColumns3d = 800;

// What the picture keeps between drawings: the origins, the floating horizons of both
// channels (one entry per pixel column; upper 10000 and lower -10000 when reset) and the live
// picture with the number of history rows already in it.
struct Picture3dState {
    int x0 = 0;
    int y[2] = {0, 0};
    std::vector<std::int16_t> upper[2];
    std::vector<std::int16_t> lower[2];
    QImage live;
    int liveRows = 0;
    void ResetHorizons();
};

// Colour of level height index h: HueColour(7 h).
// The height index of amplitude v for the level scale T .. L (dB): trunc((20 log10 v - L) H /
// (T - L)) limited to 0 .. H; 0 for a zero (or not finite) amplitude.
int Height3d(float v, double top, double bottom, int H);
// Frequency position of bin k (linear: trunc(2 W k / N); logarithmic: by the decades of the
// log-frequency axis of step 2 dt).
double BinX3d(int k, int n, double dt, bool logAxis, int W);

// Draws the box of `channel` (1, 2) with its scales and title into `image` with the origins
// fixed from the plot centre `centre` and the top reference `c`; resets that channel's
// horizons. Returns the box's y origin.
int Draw3dAxes(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& layout,
               int channel, int centre, int c, const char* title);
// One spectrum of N/2 bins as history row `row` of `channel`, behind what is drawn.
void Draw3dRow(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& layout,
               int channel, int row, const float* spectrum);
// Resets the channel's horizons and draws rows 0 .. m_nRow3D - 1 of its history.
void Draw3dRows(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& layout,
                int channel);

// The finished picture (large layout, every stored row) on a white image of `size`.
QImage RenderFinished3d(const CKymoDoc& doc, Picture3dState& st, QSize size);
