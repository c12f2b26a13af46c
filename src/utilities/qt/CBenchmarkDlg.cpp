#include "utilities/qt/CBenchmarkDlg.h"

#include "utilities/Benchmark.h"

#include "sound/qt/PanelWidgets.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The panel (253 x 169) and its legend below (185 x 41).
class CGauge : public QWidget {
public:
    explicit CGauge(const CBenchmark& bench) : m_bench(bench) {
        setObjectName(QStringLiteral("gauge"));
        setFixedSize(253, 169 + 41);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage panel(253, 169, QImage::Format_RGB32);
        panel.fill(QColor(0, 0, 64));
        QPainter p(&panel);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setWeight(QFont::Medium);
        p.setFont(font);
        // The dial of the needle: a half circle of the scale 0 ... 100 (-30 ... -330 degrees).
        const QPointF centre(75, 77);
        p.setPen(QPen(QColor(120, 120, 160), 1));
        p.drawEllipse(centre, 34, 34);
        p.setPen(QPen(Qt::red, 3));
        const double a = m_bench.NeedleAngle() * M_PI / 180.0;
        p.drawLine(centre, centre + QPointF(30 * std::cos(a), -30 * std::sin(a)));
        p.setPen(Qt::white);
        int y = 12;
        for (const auto& [label, time] : m_bench.TimeLines()) {
            p.drawText(QPointF(120, y), QString::fromStdString(label));
            p.drawText(QPointF(130, y + 12), QString::fromStdString(time));
            y += 30;
        }
        const BenchVerdict v = m_bench.Verdict();
        QColor colour = Qt::yellow;
        if (v == BenchVerdict::Excellent) colour = Qt::green;
        if (v == BenchVerdict::PcShop) colour = Qt::red;
        p.setPen(colour);
        p.drawText(QPointF(8, 160), QString::fromUtf8(CBenchmark::VerdictText(v)));
        p.end();

        QImage legend(185, 41, QImage::Format_RGB32);
        legend.fill(Qt::black);
        QPainter l(&legend);
        l.setFont(font);
        l.setPen(QColor(158, 158, 158));
        for (int i = 0; i < 4; ++i)
            l.drawText(QPointF(2, 10 + 10 * i), QString::fromUtf8(CBenchmark::kLegend[i]));
        l.end();

        QPainter w(this);
        w.drawImage(0, 0, panel);
        w.drawImage(0, 169, legend);
    }

private:
    const CBenchmark& m_bench;
};

} // namespace

CBenchmarkDlg::CBenchmarkDlg(CKymoDoc& doc, QWidget* parent)
    : QDialog(parent), m_bench(std::make_unique<CBenchmark>(doc)) {
    setWindowTitle(QStringLiteral("ベンチマークテスト"));
    m_gauge = new CGauge(*m_bench);
    auto* start = MakePanelButton(QStringLiteral("開始"), QStringLiteral("start"));
    auto* stop = MakePanelButton(QStringLiteral("終了"), QStringLiteral("stop"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_gauge);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CBenchmarkDlg::OnTick);
    connect(start, &QPushButton::clicked, this, &CBenchmarkDlg::OnStart);
    connect(stop, &QPushButton::clicked, this, &CBenchmarkDlg::OnStop);
    // The timer stops before a failure's message, so the message comes once.
    m_bench->onStopped = [this] { m_timer->stop(); };
}

CBenchmarkDlg::~CBenchmarkDlg() = default;

void CBenchmarkDlg::OnStart() {
    m_bench->Start();
    m_timer->start(CBenchmark::kTimerMs);
    m_gauge->update();
}

void CBenchmarkDlg::OnTick() {
    if (!m_bench->IsRunning()) return;
    m_bench->Tick();
    m_gauge->update();
}

void CBenchmarkDlg::OnStop() {
    m_timer->stop();
    m_bench->Stop();
    accept();
}

void CBenchmarkDlg::reject() {
    OnStop();
}
