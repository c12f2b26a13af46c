#pragma once

#include "filters/RemezSettings.h"

#include <QDialog>

#include <functional>
#include <vector>

class CRateButton;
class IDocumentUi;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

// "Remez_Exchange(簡易設定)": the easy settings of the real-time Remez tool (shape, taps, two
// cut-offs with log-scale sliders, transition width, ripple, stop level, sampling rate) with
// the tap prediction "予測". "開始" checks and designs; while the tool runs, every setting
// change and every prediction designs again. The sound pipeline attaches through `onDesigned`.
// Widgets: "shape", "taps", "f1", "f2", "slider1", "slider2", "transition", "ripple",
// "atten", "rate", "predict", "start", "status".
class CEasyRemezDlg : public QDialog {
    Q_OBJECT
public:
    CEasyRemezDlg(IDocumentUi& ui, const EasyRemezSettings& settings, QWidget* parent = nullptr);

    EasyRemezSettings Settings() const;
    bool IsRunning() const { return m_bRunning; }
    const std::vector<double>& Taps() const { return m_taps; }

    // The checks; a failure shows its message and selects the entry. On success the
    // frequency sliders follow the cut-offs.
    bool Validate();
    // "予測": checks, predicts the tap count, refuses a count outside 3 ... 1024 with the
    // tap-count message, otherwise shows it and designs again when running.
    bool Predict();
    // "開始": checks and designs; true when the design converged (the tool then runs).
    bool Start();
    // "終了".
    void Stop();

    // Slider position of a frequency: ceil(ln(0.005 f) / ln 1.075835899).
    static int SliderPosition(double f);

    // Called with the taps and the sampling rate after every successful design.
    std::function<void(const std::vector<double>&, int)> onDesigned;

private:
    void SettingChanged();
    void SliderMoved(int which, int position);
    void Focus(RemezField field);
    void ShowDesign();

    IDocumentUi& m_ui;
    QComboBox* m_shape;
    QLineEdit* m_tapsEdit;
    QLineEdit* m_f1;
    QLineEdit* m_f2;
    QSlider* m_slider1;
    QSlider* m_slider2;
    QLineEdit* m_transition;
    QLineEdit* m_ripple;
    QLineEdit* m_atten;
    CRateButton* m_rate;
    QLabel* m_status;
    std::vector<double> m_taps;
    bool m_bRunning = false;
    bool m_bSyncing = false;
};
