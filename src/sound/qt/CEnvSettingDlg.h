#pragma once

#include "sound/settings/EnvSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

// "環境設定": buffer size, process and thread priority, drawing speed and smoothing (0 high or
// large, 1 medium, 2 low or small) and the two switches. The choices are kept in Settings(); the
// caller hands them to CloseEnvSettings after OK, or nothing after Cancel.
class CEnvSettingDlg : public QDialog {
    Q_OBJECT
public:
    CEnvSettingDlg(const EnvSettings& settings, QWidget* parent = nullptr);

    const EnvSettings& Settings() const { return m_s; }
    // "ﾃﾞﾌｫﾙﾄに戻す".
    void OnDefaults();
    void Refresh();

private:
    EnvSettings m_s;
    QButtonGroup* m_buffer;
    QButtonGroup* m_process;
    QButtonGroup* m_thread;
    QButtonGroup* m_draw;
    QButtonGroup* m_smoothing;
    QCheckBox* m_usbFix;
    QCheckBox* m_invert;
};
