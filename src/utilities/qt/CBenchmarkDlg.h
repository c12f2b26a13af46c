#pragma once

#include <QDialog>

#include <memory>

class CBenchmark;
class CKymoDoc;
class QTimer;

// "ベンチマークテスト" over CBenchmark: "開始" starts the 150 ms timer, "終了" stops and closes;
// the panel shows the four times, the legend, the verdict and the needle gauge. Widgets:
// "start", "stop", "gauge".
class CBenchmarkDlg : public QDialog {
    Q_OBJECT
public:
    CBenchmarkDlg(CKymoDoc& doc, QWidget* parent = nullptr);
    ~CBenchmarkDlg() override;
    CBenchmark& Bench() { return *m_bench; }
    void OnStart();
    void OnStop();
    // One timer tick (also for tests).
    void OnTick();
    void reject() override;

private:
    std::unique_ptr<CBenchmark> m_bench;
    QTimer* m_timer;
    QWidget* m_gauge;
};
