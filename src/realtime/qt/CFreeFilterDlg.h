#pragma once

#include "realtime/qt/CRtToolDlg.h"

class CFreeFilterTool;
class QComboBox;
class QLabel;
class QProgressBar;

// "フィルター自由自在" over CFreeFilterTool: the drawing area (the response grid; "Left_Side"
// starts a drawing at the height the cursor last had over the grid, clicks add points,
// "Right_Side" ends it at the right edge and designs), the grid's level spins, the window and
// tap-count lists, the peak meters and the convolution time. Widgets: "area", "leftSide",
// "rightSide", "gridTop", "gridRange", "windowList", "taps", "peak1", "peak2".
class CFreeFilterDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CFreeFilterDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CFreeFilterTool& FreeTool() { return *m_free; }
    QWidget* Area() const { return m_area; }
    void Refresh() override;
    // The grid's pixel x (3 ... 391) of a widget x in the drawing area: 15 pixels to its right.
    static constexpr int kAreaOffset = 15;

private:
    CFreeFilterTool* m_free;
    QWidget* m_area;
    QLineEdit* m_top;
    QLineEdit* m_range;
    QComboBox* m_window;
    QComboBox* m_taps;
    QProgressBar* m_peak[2];
};
