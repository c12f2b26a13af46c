#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CKymoDoc;
class CQueuedDelivery;
class CScopeControls;
class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// The storage-scope part of the oscilloscope's and the signal generator's panels over
// CScopeControls, which holds every value, text and rule: "ON", "DISP", "OFF", "保存", the rate
// button, the sweep, the shown channels, ranges and positions, "±50%", the trigger (level,
// "固定(0%)", channel, slope, mode, delay) and "X_Y". Every control calls its handler and shows
// the panel's state again; Escape acts as "OFF".
//
// As with the spectrum analyzer's panel, filled buffers reach the engine through its queue,
// delivered as queued calls on this dialog (the user-interface thread).
class CScopeDlg : public QDialog {
    Q_OBJECT
public:
    ~CScopeDlg() override;

    CScopeControls& Controls() { return *m_controls; }

    void OnStart();
    void OnOff();
    void OnDisp();
    void OnSave();
    void reject() override;

    // Shows the panel's texts, check marks and button states.
    virtual void Refresh();

protected:
    // `controls` is the instrument's panel; the dialog owns it (its engine outlives the delivery).
    CScopeDlg(CKymoDoc& doc, std::unique_ptr<CScopeControls> controls, const QString& title,
              QWidget* parent);
    void showEvent(QShowEvent* event) override;

    // A button named `name` that calls `action` and refreshes.
    QPushButton* ActionButton(const QString& text, const char* name, std::function<void()> action);
    // A check box named `name` that calls `action` with its new state and refreshes.
    QCheckBox* ActionCheck(const QString& text, const char* name, std::function<void(bool)> action);
    // A spin row (read-only field `name`, arrows `name`Up/Down) that calls `step` and refreshes.
    QLayout* SpinRow(QLineEdit*& field, const char* name, std::function<void(int)> step);

    // The grid of the run buttons (ON, DISP / OFF), for buttons an instrument adds.
    QGridLayout* RunButtons() { return m_runButtons; }
    // The row below the scope's controls, for the instrument's own groups.
    QHBoxLayout* Body() { return m_body; }

    CKymoDoc& m_doc;

private:
    QLayout* BuildTraceGroup();
    QLayout* BuildTriggerGroup();
    void EnableSpin(const char* name, bool on);

    std::unique_ptr<CScopeControls> m_controls;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QGridLayout* m_runButtons;
    QHBoxLayout* m_body;
    QPushButton* m_on;
    QPushButton* m_disp;
    QPushButton* m_rate;
    QToolButton* m_save;
    QLineEdit* m_sweep;
    QCheckBox* m_show[2];
    QLineEdit* m_range[2];
    QLineEdit* m_position[2];
    QCheckBox* m_fixed;
    QLineEdit* m_level;
    QCheckBox* m_fixedZero;
    QRadioButton* m_trigCh[2];
    QRadioButton* m_slope[2];
    QRadioButton* m_mode[2];
    QLineEdit* m_delay;
    QCheckBox* m_xy;
};
