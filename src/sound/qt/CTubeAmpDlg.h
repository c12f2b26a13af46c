#pragma once

#include <QDialog>

#include <memory>

class CKymoDoc;
class CQueuedDelivery;
class CTubeAmpPanel;
class ISoundCard;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The virtual tube amplifier's panel "Virtual Tube": a modal panel without a system menu over
// CTubeAmpPanel, which holds the device, the settings, the computation and the stream. The edit
// boxes are read into the panel's settings before "計算" and "保存"; the combos, buttons and
// spins call the panel's handlers and show its values again; Escape acts as "OFF".
class CTubeAmpDlg : public QDialog {
    Q_OBJECT
public:
    // The document's set-up must have succeeded; `card` must outlive the dialog.
    CTubeAmpDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~CTubeAmpDlg() override;

    CTubeAmpPanel& Panel() { return *m_panel; }

    void OnStart();
    void OnStop();
    void OnOff();
    void OnCompute();
    void OnSave();
    void OnDevice(int index);
    void OnCircuit(int circuit);
    void OnBias(int bias);
    void reject() override;

    // Writes the panel's values into the edit boxes.
    void ShowValues();
    // Shows the panel's labels, results and button states.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the edit boxes into the panel's settings.
    void ReadValues();

    CKymoDoc& m_doc;
    std::unique_ptr<CTubeAmpPanel> m_panel;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QPushButton* m_on;
    QToolButton* m_stop;
    QPushButton* m_off;
    QPushButton* m_compute;
    QToolButton* m_through;
    QToolButton* m_save;
    QComboBox* m_device;
    QComboBox* m_circuit;
    QComboBox* m_bias;
    QLineEdit* m_load[2];
    QLineEdit* m_supply[2];
    QLineEdit* m_emax[2];
    QLineEdit* m_biasValue[2];
    QLineEdit* m_epError[2];
    QLineEdit* m_ipError[2];
    QLineEdit* m_result[2];
    QLabel* m_biasLabel;
    QLabel* m_resultLabel;
    QLineEdit* m_power;
    QPushButton* m_rate;
    QPushButton* m_width;
    QLineEdit* m_sweep;
    QPushButton* m_trigger;
    QLineEdit* m_range[2];
    QLineEdit* m_position[2];
    QCheckBox* m_fixed;
    QLabel* m_deviceText;
};
