#pragma once

#include "sound/qt/CSpecAnaDlg.h"

class CSpec3DPanel;
class QToolButton;

// The 3D spectrum analyzer's control panel "3Dｽﾍﾟｱﾅ・ｺﾝﾄﾛｰﾙ": the spectrum analyzer's fields
// and level group without "Avr_" and "保存", plus "平均化回数", "水平角(θ)", "垂直角(φ)" and the
// "Repeat" key.
class CSpec3DDlg : public CSpecAnaDlg {
    Q_OBJECT
public:
    // The document's 3D set-up must have succeeded; `card` must outlive the dialog.
    CSpec3DDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);

    CSpec3DPanel& Panel3d();
    void Refresh() override;

private:
    QLineEdit* m_average = nullptr;
    QLineEdit* m_theta = nullptr;
    QLineEdit* m_phi = nullptr;
    QToolButton* m_repeat = nullptr;
};
