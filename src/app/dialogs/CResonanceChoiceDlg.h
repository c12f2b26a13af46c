#pragma once

#include "dsp/ServoElements.h"

#include <QDialog>

#include <vector>

class IDocumentUi;
class QButtonGroup;
struct ServoField;

// The fields of the detail dialog "2次振動系の設定（２）" of a choice, each with the check shared
// with the command line (dsp/ServoChecks.h).
std::vector<ServoField> ResonanceDetailFields(bool byAcceleration);

// "2次振動系（１）": choosing "共振周波数による" or "加速度感度による" opens its detail dialog at
// once ("2次振動系の設定（２）"); cancelling the detail clears the choice. OK without a choice
// shows "設定条件の選択をして下さい。" and keeps the dialog open.
class CResonanceChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CResonanceChoiceDlg(IDocumentUi& ui, QWidget* parent = nullptr);

    const ResonanceSettings& Settings() const { return m_settings; }
    bool HasChoice() const { return m_bChosen; }
    // Opens the detail dialog of a choice (0 resonance frequency, 1 acceleration sensitivity).
    void Choose(int choice);
    void accept() override;

private:
    IDocumentUi& m_ui;
    ResonanceSettings m_settings;
    bool m_bChosen = false;
    QButtonGroup* m_choice;
};
