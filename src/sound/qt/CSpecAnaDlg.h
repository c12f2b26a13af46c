#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CKymoDoc;
class CQueuedDelivery;
class CSpecAnaPanel;
class ISoundCard;
class QCheckBox;
class QLayout;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

// The spectrum analyzer's control panel "ｽﾍﾟｸﾄﾗﾑｱﾅﾗｲｻﾞｰ": a narrow modal panel without a system
// menu over CSpecAnaPanel, which holds every value, text and rule. The buttons and spins call
// the panel's handlers and show its texts again; Escape acts as "OFF".
//
// Filled buffers reach the panel's engine from the device's thread through the engine's queue;
// the queue's notifier schedules the delivery as a queued call on this dialog, so OnWimData and
// the document's hand-over run on the user-interface thread, between paints of the main view.
class CSpecAnaDlg : public QDialog {
    Q_OBJECT
public:
    // The document's measurement set-up must have succeeded; `card` must outlive the dialog.
    CSpecAnaDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~CSpecAnaDlg() override;

    CSpecAnaPanel& Panel() { return *m_panel; }

    // The buttons.
    void OnStart();
    void OnOff();
    void OnDisp();
    void OnAverage();
    void OnSave();
    void OnFixedPositions(bool on);
    // Escape and closing the window: as "OFF".
    void reject() override;

    // Shows the panel's texts and button states.
    virtual void Refresh();

protected:
    // The panels of the instruments that share this one's controls (correlation meter, 3D
    // spectrum): `title` and `name` of the window; without `levelGroup` the level fields are
    // left out; without `pictures` the "Avr_" and "保存" buttons.
    CSpecAnaDlg(CKymoDoc& doc, std::unique_ptr<CSpecAnaPanel> panel, const char* title,
                const char* name, bool levelGroup, bool pictures, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    // The form of the fields, for the rows of the derived panels.
    QFormLayout* Form() { return m_form; }
    // A spin row whose step is followed by Refresh.
    QLayout* SpinRow(QLineEdit* field, const char* name, std::function<void(int)> step);
    // A right-aligned read-only field of the panels.
    static QLineEdit* Field();
    CKymoDoc& m_doc;

private:
    std::unique_ptr<CSpecAnaPanel> m_panel;
    QFormLayout* m_form;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QPushButton* m_on;
    QPushButton* m_off;
    QPushButton* m_disp;
    QLineEdit* m_interval;
    QLineEdit* m_range[2];
    QLineEdit* m_position[2];
    QCheckBox* m_fixed;
    QLineEdit* m_topLevel;
    QLineEdit* m_dynamicRange;
    QToolButton* m_average;
    QToolButton* m_save;
};
