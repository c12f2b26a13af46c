#pragma once

#include "realtime/CoefFirTool.h"
#include "realtime/RtFirTool.h"

#include <string>
#include <vector>

// The grid of the free-form tool's drawing area, in its pixels: x = 3 ... 391 at 97 pixels per
// decade (x = 0 at 10 Hz), y = 23 (top level T) ... 230 (T - R).
namespace freegrid {
constexpr double kLeft = 3.0;
constexpr double kRight = 391.0;
constexpr double kTop = 23.0;
constexpr double kBottom = 230.0;
constexpr double kPixelsPerDecade = 97.0;
constexpr int kMaxPoints = 49; // the start point and 48 more
constexpr int kMinTaps = 32;
constexpr int kMaxTaps = 2048;
double FrequencyOfX(double x);
double XOfFrequency(double f);
double LevelOfY(double y, double top, double range);
double YOfLevel(double db, double top, double range);
} // namespace freegrid

struct FreePoint {
    double x, y;
};

// "フィルター自由自在" (`CFreeFilterDlg`): a magnitude response drawn on the logarithmic grid
// ("Left_Side", clicks, "Right_Side") becomes a linear-phase FIR filter by frequency sampling:
// the curve sampled at the bins of an N-point inverse DFT (mirrored at N - 1 - i), rotated by
// N/2 and windowed. It then runs like the other FIR tools, with the convolution time and the
// peak meters.
class CFreeFilterTool : public CRtFirTool {
public:
    CFreeFilterTool(CKymoDoc& doc, ISoundCard& card);

    // ---- Drawing ----
    // "Left_Side": stops a running tool and starts a drawing at the left edge at height y.
    void OnLeftSide(double y);
    // A click while drawing: accepted when right of the previous point and inside the grid.
    // A click beyond 49 points shows its message and the drawing starts over. True when taken.
    bool OnClick(double x, double y);
    // "Right_Side": the last point at the right edge, then the design. True when designed.
    bool OnRightSide(double y);
    bool IsDrawing() const { return m_bDrawing; }
    bool IsDesigned() const { return m_bDesigned; }
    const std::vector<FreePoint>& Points() const { return m_points; }

    // ---- Settings ----
    int TapCount() const { return m_nTaps; }
    void SetTapCount(int n) { m_nTaps = n; }
    int WindowEntry() const { return m_nWindowEntry; }
    // A window change designs again (a running tool stops).
    void SetWindowEntry(int entry);
    int TopLevel() const { return m_nTop; }
    int Range() const { return m_nRange; }
    // Spins of the grid's top level (-50 ... 50) and range (10 ... 200), steps of 10: a running
    // tool stops and the drawing is discarded.
    void OnGridTopSpin(int delta);
    void OnGridRangeSpin(int delta);

    // "Conv_Time=%5.3fms" of the last convolution.
    std::string ConvolutionText() const;
    // The texts of the drawing area: the remaining points while drawing, "Listen to your
    // Sound!!!" after the design, the tap count.
    std::string RemainingText() const;
    std::string TapCountText() const;

    // The design at fs from the current points (the steps the tool runs at "Right_Side" and at
    // "開始"); the desired response H stays in m_fRe/m_fIm, the rotated impulse response in
    // m_fWave1, the windowed one in m_fWork1.
    bool DesignAt(int fs, std::vector<double>& taps);
    int OnSave() override;

protected:
    bool DesignTaps(int fs, std::vector<double>& taps) override;
    FirSaveInfo SaveInfo() const override { return {"Free_Coef", "Unknown", 0.0, 0.0}; }
    void ShowDesignResponse() override {}
    void AfterDesign() override;

private:
    void Discard();

    std::vector<FreePoint> m_points;
    bool m_bDrawing = false;
    bool m_bFinished = false;
    bool m_bDesigned = false;
    int m_nTaps = 256;
    int m_nWindowEntry = rtwindow::kBlackman;
    int m_nTop = 10;
    int m_nRange = 100;
};
