#pragma once

#include "document/FileAnalysis.h"

#include <QDialog>

class IDocumentUi;
class QComboBox;
class QLineEdit;

// "測定条件の設定" of the file analyses: sample count, window and the down-sampling spin with
// the highest frequency after down-sampling. A spin step that would leave 99 Hz or less is
// refused with its message.
class CAnalysisSetupDlg : public QDialog {
    Q_OBJECT
public:
    CAnalysisSetupDlg(int pow, int windowType, int rate, IDocumentUi& ui,
                      QWidget* parent = nullptr);

    AnalysisSetup Setup() const;
    // One spin step: -1 down-samples once more, +1 once less.
    void StepDown(int delta);
    QString TopFrequencyText() const;

private:
    IDocumentUi& m_ui;
    int m_nRate;
    int m_nDownExp = 0;
    QComboBox* m_points;
    QComboBox* m_window;
    QLineEdit* m_top;
};
