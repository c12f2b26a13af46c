#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CKymoDoc;
class CLmsTool;
class CQueuedDelivery;
class CRateButton;
class ISoundCard;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;

// "LMS_適応FIRﾌｨﾙﾀｰ": the panel of the LMS adaptive filter. The demo filter (shape, cut-offs),
// the use, the generator's noise and sine, the taps, step size and delay, the monitor channel,
// the rate, the output gain, the display and its levels, the load meter, the buttons and the
// picture of the adapting weights. It owns the tool;
// "終了", Escape and closing the window close the tool and end the dialog.
class CLmsDlg : public QDialog {
    Q_OBJECT
public:
    CLmsDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~CLmsDlg() override;

    CLmsTool& Tool() { return *m_tool; }
    void reject() override;

private:
    // The edits' values into the tool (before a start).
    void TakeFields();
    void Refresh();
    void OnStart();
    void OnStop();
    void PaintWeights(class QPainter& p, const QRect& r);

    CKymoDoc& m_doc;
    std::unique_ptr<CLmsTool> m_tool;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QComboBox* m_shape;
    QLineEdit *m_f1, *m_f2, *m_taps, *m_mu, *m_delay, *m_gain;
    QSlider *m_f1Slider, *m_f2Slider, *m_noiseLevel, *m_sineFreq, *m_sineLevel;
    QComboBox *m_mode, *m_rch, *m_display;
    QPushButton *m_gen, *m_noise, *m_sine;
    CRateButton* m_rate;
    QCheckBox* m_fixed;
    std::function<void()> m_showLevels;
    QProgressBar* m_load;
    QWidget* m_picture;
    QTimer* m_timer;
    bool m_bClosing = false;
};
