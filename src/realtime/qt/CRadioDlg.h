#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CKymoDoc;
class CQueuedDelivery;
class CRadioTool;
class CRateButton;
class ISoundCard;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// "AM/SSB(LSB,USB)変復調": the panel of the software radio. The flags and the mode list, the
// display list, both filters, both local oscillators and gain stages, the rate, the source and
// its generator, the output gain, the IQ balance, the display levels, "Defoult", "保存", "読出",
// "開始" and "終了". It owns the tool; "終了", Escape and closing the window close the tool and
// end the dialog.
class CRadioDlg : public QDialog {
    Q_OBJECT
public:
    CRadioDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~CRadioDlg() override;

    CRadioTool& Tool() { return *m_tool; }
    void reject() override;

private:
    struct FilterFields {
        QComboBox *shape, *kind;
        QLineEdit *low, *high, *ripple, *reject, *order;
    };
    FilterFields MakeFilter(const char* prefix);
    QWidget* MakeOscillators();
    QWidget* MakeSource();
    QWidget* MakeOutput(CKymoDoc& doc);
    void Connect();
    // The edits' and sliders' values into the tool.
    void TakeFields();
    void Refresh();
    void OnStop();

    std::unique_ptr<CRadioTool> m_tool;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QCheckBox *m_trm, *m_rcv, *m_sine, *m_noise, *m_fixed;
    QComboBox *m_mode, *m_display;
    FilterFields m_f[2];
    QLineEdit *m_if1, *m_if2, *m_gain, *m_balance, *m_phase;
    QSlider *m_if1Slider, *m_if2Slider, *m_vol1, *m_vol2;
    QSlider *m_toneSlider, *m_sineLevel, *m_noiseLevel;
    QRadioButton *m_line, *m_gen;
    CRateButton* m_rate;
    QWidget* m_iqPicture;
    QPushButton *m_start, *m_stop, *m_default, *m_save, *m_load;
    std::function<void()> m_showLevels;
    bool m_bSyncing = false;
    bool m_bClosing = false;
};
