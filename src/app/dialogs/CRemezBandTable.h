#pragma once

#include "filters/RemezSettings.h"

#include <QWidget>

class QLineEdit;
class QSpinBox;

// The band table of the detailed Remez settings: a band count of 2 ... 7 and rows "BD1" ...
// "BD7" with "Low_Hz", "High_Hz", "Gain" and "Weight". Rows beyond the count are disabled.
// Edits are named "low1", "high1", "gain1", "weight1", ... and the count spin "bandCount".
class CRemezBandTable : public QWidget {
    Q_OBJECT
public:
    explicit CRemezBandTable(QWidget* parent = nullptr);

    void SetTable(const RemezBandTable& table);
    // The table as entered; text that is no number reads as 0.
    RemezBandTable Table() const;
    // Selects and focuses the entry a failed check points at.
    void FocusField(RemezField field, int band);

private:
    void UpdateRows();
    QLineEdit* Edit(RemezField field, int band) const;

    QSpinBox* m_count;
    QLineEdit* m_low[kRemezMaxBands];
    QLineEdit* m_high[kRemezMaxBands];
    QLineEdit* m_gain[kRemezMaxBands];
    QLineEdit* m_weight[kRemezMaxBands];
};

// Shows the notices and the error of a check through `ui`; returns check.ok.
class IDocumentUi;
bool ShowRemezCheck(IDocumentUi& ui, const RemezCheck& check);
