#pragma once

#include "sound/spectrum3d/Spec3DViewControl.h"

#include <QDialog>

class CKymoDoc;
class QLineEdit;
class QPushButton;

// The control dialog "3Dｽﾍﾟｸﾄﾙ操作" after a 3D measurement: turns and rescales the finished
// picture in the main view at every change; "D3OFF" closes it.
class CSpec3DViewDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSpec3DViewDlg(CKymoDoc& doc, QWidget* parent = nullptr);

    CSpec3DViewControl& Control() { return m_control; }
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CSpec3DViewControl m_control;
    QLineEdit* m_topLevel;
    QLineEdit* m_dynamicRange;
    QLineEdit* m_theta;
    QLineEdit* m_phi;
    QPushButton* m_log;
    QPushButton* m_linear;
};
