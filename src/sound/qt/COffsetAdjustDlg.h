#pragma once

#include <QDialog>

#include <memory>

class CKymoDoc;
class COffsetAdjuster;
class CQueuedDelivery;
class ISoundCard;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "ｵﾌｾｯﾄ調整" over COffsetAdjuster: the "8Bit調整" and "16Bit調整" groups with their
// "自動調整開始" buttons and L/R edits, the progress bar "調整進行状況", "ﾃﾞﾌｫﾙﾄに戻す" and
// "終了", which stops an adjustment still running and stores the four values. Escape stops it
// too but keeps the document's values.
class COffsetAdjustDlg : public QDialog {
    Q_OBJECT
public:
    // `card` must outlive the dialog.
    COffsetAdjustDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);
    ~COffsetAdjustDlg() override;

    COffsetAdjuster& Adjuster() { return *m_adjuster; }
    void OnStart(int bits);
    void OnDefaults();
    // "終了".
    void accept() override;
    void reject() override;
    void Refresh();

private:
    std::unique_ptr<COffsetAdjuster> m_adjuster;
    std::unique_ptr<CQueuedDelivery> m_delivery;
    QPushButton* m_start8;
    QPushButton* m_start16;
    QPushButton* m_defaults;
    QLineEdit* m_value[2][2]; // [8-bit, 16-bit][L, R]
    QProgressBar* m_progress;
};
