#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class CCoefTransfer;
class CKymoDoc;
struct TransferSettings;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;

// "RS232C⇒FPGA/DSP...": the coefficient transfer to the dsPIC board. The port (COM1 ... COM9,
// or a device path typed in), the rate, the number format, "送信確認する", "Load", "Tx", "Run"
// and the status text. OK keeps the port, rate and format in `settings`, which the program keeps
// between openings.
class CCoefTransferDlg : public QDialog {
    Q_OBJECT
public:
    CCoefTransferDlg(CKymoDoc& doc, TransferSettings& settings, QWidget* parent = nullptr);
    ~CCoefTransferDlg() override;

    // A real-time tool's coefficients (FIR taps, or six values per IIR section).
    void Preload(bool fir, const std::vector<double>& values);
    CCoefTransfer& Transfer() { return *m_transfer; }
    void accept() override;

private:
    void TakePort();
    void ShowStatus();

    TransferSettings& m_settings;
    std::unique_ptr<CCoefTransfer> m_transfer;
    QComboBox *m_port, *m_baud, *m_format;
    QCheckBox* m_echo;
    QPlainTextEdit* m_status;
};
