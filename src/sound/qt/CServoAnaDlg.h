#pragma once

#include "sound/qt/CSpecAnaDlg.h"

class CServoAnaPanel;
class QComboBox;

// The servo analyzer's control panel "ｻｰﾎﾞｱﾅﾗｲｻﾞｰ": the spectrum analyzer's panel over
// CServoAnaPanel, with the excitation combo below the buttons. Choosing an excitation stores it
// at once; a running measurement starts again with it.
class CServoAnaDlg : public CSpecAnaDlg {
    Q_OBJECT
public:
    // The document's servo set-up must have succeeded; `card` must outlive the dialog.
    CServoAnaDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);

    CServoAnaPanel& Servo();
    void OnExcitation(int index);

private:
    QComboBox* m_excitation;
};
