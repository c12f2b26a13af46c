#pragma once

#include "document/ScopeDisplay.h"

#include <QDialog>

class CKymoDoc;
class QCheckBox;
class QLineEdit;

// "ｵｼﾛ表示の設定": range exponents (-2..9, shown as 2^e) and position steps (-10..10, shown as
// 10 x step) of an oscilloscope record. `channels` 1 or 3 shows one channel (ch1 or ch2), any
// other value both channels and the "X_Y表示" check box. Every spin step updates the document
// and redraws at once; OK keeps the values, cancel restores those the dialog opened with.
class CScopeDisplayDlg : public QDialog {
    Q_OBJECT
public:
    CScopeDisplayDlg(CKymoDoc& doc, int channels, QWidget* parent = nullptr);

    // Spin steps: +1 up, -1 down. channel 1 or 2.
    void StepRange(int channel, int step);
    void StepPosition(int channel, int step);
    void SetXy(bool on);

    void done(int result) override;

private:
    void AddChannelRows(class QGridLayout* grid, int channel, int row);
    void Refresh();
    void Apply();

    CKymoDoc& m_doc;
    ScopeDisplay m_start;
    int m_startXy;
    ScopeDisplay m_values;
    int m_xy;
    QLineEdit* m_range[2] = {};
    QLineEdit* m_position[2] = {};
    QCheckBox* m_xyBox = nullptr;
};
