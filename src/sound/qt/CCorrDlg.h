#pragma once

#include "sound/qt/CSpecAnaDlg.h"

class CCorrPanel;

// The correlation meter's control panel "自己/相互相関": the spectrum analyzer's panel with the
// group "相関表示" ("相関値(倍)", "時間軸(倍)") in place of the level group.
class CCorrDlg : public CSpecAnaDlg {
    Q_OBJECT
public:
    // The document's correlation set-up must have succeeded; `card` must outlive the dialog.
    CCorrDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);

    CCorrPanel& CorrPanel();
    void Refresh() override;

private:
    QLineEdit* m_gain;
    QLineEdit* m_time;
};
