#pragma once

#include <QDialog>

#include <memory>

class CKymoDoc;
class CQueuedDelivery;
class CSpecAnaPanel;
class ISoundCard;
class QCheckBox;
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
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CKymoDoc& m_doc;
    std::unique_ptr<CSpecAnaPanel> m_panel;
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
