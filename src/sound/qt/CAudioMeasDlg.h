#pragma once

#include <QDialog>

#include <memory>

class CAudioMeasPanel;
class CKymoDoc;
class CQueuedDelivery;
class ISoundCard;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The audio measurement's panel "ｵｰﾃﾞｨｵ測定": a modal panel without a system menu over
// CAudioMeasPanel, which holds every value, result and rule. The buttons, boxes and spins call
// the panel's handlers and show its values again; Escape acts as "OFF".
//
// Filled buffers reach the panel's engine through the engine's queue as queued calls on this
// dialog, so every block is analysed on the user-interface thread; the fields are refreshed
// after each delivery.
class CAudioMeasDlg : public QDialog {
    Q_OBJECT
public:
    // The document's audio set-up must have succeeded; `card` must outlive the dialog.
    CAudioMeasDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~CAudioMeasDlg() override;

    CAudioMeasPanel& Panel() { return *m_panel; }

    void OnStart();
    void OnStop();
    void OnOff();
    void OnRun();
    void OnDetail();
    void OnMode(int mode);
    void OnItem(int item, bool on);
    void OnSetAll(bool on);
    void OnGraph(int item);
    // Escape and closing the window: as "OFF".
    void reject() override;

    // Shows the panel's values, results and button states.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Runs a panel handler, then shows the panel again.
    template <class F> void Press(F&& handler);

    CKymoDoc& m_doc;
    std::unique_ptr<CAudioMeasPanel> m_panel;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QPushButton* m_on;
    QToolButton* m_stop;
    QPushButton* m_off;
    QComboBox* m_mode;
    QPushButton* m_rate;
    QPushButton* m_width;
    QToolButton* m_band;
    QToolButton* m_average;
    QLineEdit* m_interval;
    QLineEdit* m_range[2];
    QLineEdit* m_position[2];
    QCheckBox* m_fixed;
    QLineEdit* m_topLevel;
    QLineEdit* m_dynamicRange;
    QCheckBox* m_item[6];
    QCheckBox* m_setAll;
    QPushButton* m_graph[6];
    QLabel* m_freqRow[2];
    QLineEdit* m_level[2];
    QLineEdit* m_result[22];
    QLineEdit* m_monitor[2];
    QPushButton* m_run;
    QPushButton* m_set;
    QPushButton* m_save;
    QPushButton* m_load;
    QPushButton* m_wave;
    QPushButton* m_reference;
    QLabel* m_device;
};
