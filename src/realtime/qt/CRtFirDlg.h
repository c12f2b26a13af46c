#pragma once

#include "realtime/qt/CRtToolDlg.h"

class CRtKaiserTool;
class CRtWindowFirTool;
class QComboBox;
class QSlider;

// "FIRﾌｨﾙﾀｰの設定(ﾘｱﾙﾀｲﾑ処理)" over CRtWindowFirTool: shape, taps, the two cut-offs with their
// log-scale sliders, the window label and the taps picture. Widgets: "shape", "taps", "f1",
// "f2", "slider1", "slider2", "window", "picture".
class CRtFirDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CRtFirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CRtWindowFirTool& FirTool() { return *m_fir; }
    // Takes the edits into the tool; a running tool designs again.
    void ApplyEdits();

private:
    void FocusFailed();
    void SyncSliders();

    CRtWindowFirTool* m_fir;
    QComboBox* m_shape;
    QLineEdit* m_taps;
    QLineEdit* m_f1;
    QLineEdit* m_f2;
    QSlider* m_slider1;
    QSlider* m_slider2;
    QWidget* m_picture;
    bool m_bSyncing = false;
};

// "FIRﾌｨﾙﾀｰ(Kaiser窓)" over CRtKaiserTool: shape, the two cut-offs with sliders, attenuation and
// transition width. Widgets: "shape", "f1", "f2", "slider1", "slider2", "atten", "transition",
// "picture".
class CRtKaiserDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CRtKaiserDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CRtKaiserTool& KaiserTool() { return *m_kaiser; }
    void ApplyEdits();

private:
    void FocusFailed();
    void SyncSliders();

    CRtKaiserTool* m_kaiser;
    QComboBox* m_shape;
    QLineEdit* m_f1;
    QLineEdit* m_f2;
    QLineEdit* m_atten;
    QLineEdit* m_transition;
    QSlider* m_slider1;
    QSlider* m_slider2;
    QWidget* m_picture;
    bool m_bSyncing = false;
};
