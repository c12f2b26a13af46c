#pragma once

#include "realtime/qt/CRtToolDlg.h"

class CCascadeIirTool;
class CRtBiquadTool;
class QComboBox;
class QPushButton;
class QSlider;

// "IIRﾌｨﾙﾀｰの設定(Bi_Quad)" over CRtBiquadTool: the type list, "周波数" and "ｹﾞｲﾝ" with their
// sliders and the section's block diagram. Widgets: "type", "freq", "gain", "freqSlider",
// "gainSlider", "picture".
class CRtBiquadDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CRtBiquadDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CRtBiquadTool& BiquadTool() { return *m_biquad; }

private:
    void SyncFields();
    void FocusFailed();

    CRtBiquadTool* m_biquad;
    QComboBox* m_type;
    QLineEdit* m_freq;
    QLineEdit* m_gain;
    QSlider* m_freqSlider;
    QSlider* m_gainSlider;
    QWidget* m_picture;
    bool m_bSyncing = false;
};

// "Cascade IIR_Filter" over CCascadeIirTool: shape and kind lists, order, cut-offs with sliders,
// ripple and stop level, the stage spin, the realization button "iir_op" with the series list,
// R and C of the stage with "Enter", and the stage picture (section, s-function or the op-amp
// schematic with its component values). Widgets: "shape", "kind", "order", "f1", "f2",
// "slider1", "slider2", "ripple", "stop", "stage", "realize", "series", "resistor",
// "capacitor", "enter", "picture".
class CCascadeIirDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CCascadeIirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CCascadeIirTool& CascadeTool() { return *m_cascade; }
    void Refresh() override;
    // Takes the edits into the tool (a running tool designs again).
    void ApplyEdits();

private:
    void SyncFields();
    void FocusFailed();

    CCascadeIirTool* m_cascade;
    QComboBox* m_shape;
    QComboBox* m_kind;
    QLineEdit* m_order;
    QLineEdit* m_f1;
    QLineEdit* m_f2;
    QSlider* m_slider1;
    QSlider* m_slider2;
    QLineEdit* m_ripple;
    QLineEdit* m_stop;
    QLineEdit* m_stage;
    QPushButton* m_realize;
    QComboBox* m_series;
    QLineEdit* m_resistor;
    QLineEdit* m_capacitor;
    QWidget* m_picture;
    bool m_bSyncing = false;
};
