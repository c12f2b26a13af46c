#pragma once

#include "realtime/qt/CRtToolDlg.h"

class CCoefFirTool;
class CCoefIirTool;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;

// "係数ﾌｧｲﾙによるFIR処理" over CCoefFirTool: "係数読出し", the "Property" text, the window list
// and the inverse-filter group. Widgets: "read", "property", "windowList", "inverse",
// "inverseGain", "limiter", "limit", "picture".
class CCoefFirDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CCoefFirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CCoefFirTool& CoefTool() { return *m_coef; }
    void OnRead();

private:
    void ApplyOptions();

    CCoefFirTool* m_coef;
    QPlainTextEdit* m_property;
    QComboBox* m_window;
    QCheckBox* m_inverse;
    QLineEdit* m_inverseGain;
    QCheckBox* m_limiter;
    QLineEdit* m_limit;
    QWidget* m_picture;
};

// "係数ﾌｧｲﾙによるIIR処理" over CCoefIirTool: "読出し", the "Property" text, the order, the stage
// spin and the section picture. Widgets: "read", "property", "order", "stage", "picture".
class CCoefIirDlg : public CRtToolDlg {
    Q_OBJECT
public:
    CCoefIirDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    CCoefIirTool& CoefTool() { return *m_coef; }
    void OnRead();
    void Refresh() override;

private:
    CCoefIirTool* m_coef;
    QPlainTextEdit* m_property;
    QLineEdit* m_order;
    QLineEdit* m_stage;
    QWidget* m_picture;
};
