#pragma once

#include "filters/RemezSettings.h"

#include <QDialog>

#include <functional>
#include <vector>

class CRateButton;
class CRemezBandTable;
class IDocumentUi;
class QLabel;
class QLineEdit;

// "Remez_Exchange(詳細設定)": the band table and tap count of the real-time Remez tool.
// "開始" checks the table (outer edges corrected), the tap count (3 ... 1024) and designs.
// The sound pipeline attaches through `onDesigned`. Widgets: "taps", "rate", "start",
// "status" and those of CRemezBandTable.
class CDetailRemezDlg : public QDialog {
    Q_OBJECT
public:
    CDetailRemezDlg(IDocumentUi& ui, const RemezBandTable& table, int taps,
                    QWidget* parent = nullptr);

    RemezBandTable Table() const;
    int TapCount() const;
    int Rate() const;
    bool IsRunning() const { return m_bRunning; }
    const std::vector<double>& Taps() const { return m_taps; }

    bool Start();
    void Stop();

    std::function<void(const std::vector<double>&, int)> onDesigned;

private:
    void ShowDesign();

    IDocumentUi& m_ui;
    CRemezBandTable* m_table;
    QLineEdit* m_tapsEdit;
    CRateButton* m_rate;
    QLabel* m_status;
    std::vector<double> m_taps;
    bool m_bRunning = false;
};
