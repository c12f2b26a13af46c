#pragma once

#include "filters/RemezSettings.h"

#include <QDialog>

#include <vector>

class CRemezBandTable;
class IDocumentUi;
class QLineEdit;

// "FIRﾌｨﾙﾀｰの設定(Remez)": band table and tap count of file filtering with a Remez design.
// OK checks the table (correcting the outer edges), designs, and closes only when the design
// converged; the taps are then available from Taps(). Messages go through `ui`.
class CRemezSettingDlg : public QDialog {
    Q_OBJECT
public:
    CRemezSettingDlg(IDocumentUi& ui, const RemezBandTable& table, int taps, int fs,
                     QWidget* parent = nullptr);

    RemezBandTable Table() const;
    int TapCount() const;
    const std::vector<double>& Taps() const { return m_taps; }

    // The OK step: true when the design converged (the dialog then accepts).
    bool Apply();
    void accept() override;

private:
    IDocumentUi& m_ui;
    int m_fs;
    CRemezBandTable* m_table;
    QLineEdit* m_tapsEdit;
    std::vector<double> m_taps;
};
