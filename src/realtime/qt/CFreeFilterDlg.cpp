#include "realtime/qt/CFreeFilterDlg.h"

#include "app/dialogs/SpinRow.h"
#include "dsp/FloatToInt.h"
#include "realtime/CoefFirTool.h"
#include "realtime/FreeFilterTool.h"
#include "realtime/qt/CRtPanelWidget.h"

#include "sound/qt/PanelWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>
#include <cstdio>

namespace {

// The response grid and the drawing, in the tool's pixels shifted by kAreaOffset.
class CDrawingArea : public QWidget {
public:
    explicit CDrawingArea(CFreeFilterTool& tool) : m_tool(tool) {
        setObjectName(QStringLiteral("area"));
        setFixedSize(440, 250);
        setMouseTracking(true);
    }
    double LastY() const { return m_lastY; }
    std::function<void()> changed;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override {
        m_cursor = e->position();
        if (m_cursor.y() >= freegrid::kTop && m_cursor.y() <= freegrid::kBottom)
            m_lastY = m_cursor.y();
        update();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton || !m_tool.IsDrawing()) return;
        m_tool.OnClick(e->position().x() - CFreeFilterDlg::kAreaOffset, e->position().y());
        update();
        if (changed) changed();
    }

private:
    double X(double gridX) const { return gridX + CFreeFilterDlg::kAreaOffset; }

    CFreeFilterTool& m_tool;
    QPointF m_cursor{-1, -1};
    double m_lastY = 126.5;
};

void CDrawingArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const double top = m_tool.TopLevel(), range = m_tool.Range();
    const QRectF grid(X(freegrid::kLeft), freegrid::kTop, freegrid::kRight - freegrid::kLeft,
                      freegrid::kBottom - freegrid::kTop);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int i = 1; i < 10; ++i) {
        const double y = grid.top() + grid.height() * i / 10.0;
        p.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
    }
    for (int d = 1; d <= 4; ++d) {
        for (int m = 2; m <= 9 && d < 4; ++m) {
            const double x = X(freegrid::XOfFrequency(m * std::pow(10.0, d)));
            if (x < grid.right()) p.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
        }
    }
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawRect(grid);
    static const char* const labels[] = {"100Hz", "1kHz", "10kHz", "100kHz"};
    for (int d = 2; d <= 5; ++d) {
        const double x = X(freegrid::XOfFrequency(std::pow(10.0, d)));
        p.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
        p.drawText(QPointF(x - 16, grid.bottom() + 13), QString::fromUtf8(labels[d - 2]));
    }
    p.setPen(Qt::black);
    char text[96];
    std::snprintf(text, sizeof text, "%ddB (%ddB/div)", SaturateToInt32(top),
                  SaturateToInt32(range / 10));
    p.drawText(QPointF(grid.left(), 14), QString::fromUtf8(text));
    std::snprintf(text, sizeof text, "%ddB", SaturateToInt32(top - range));
    p.drawText(QPointF(grid.left(), grid.bottom() - 3), QString::fromUtf8(text));
    // The drawing.
    const auto& points = m_tool.Points();
    QPolygonF line;
    for (const FreePoint& pt : points) line.append(QPointF(X(pt.x), pt.y));
    p.setPen(QPen(Qt::blue, 2));
    p.drawPolyline(line);
    for (const QPointF& pt : line) p.drawEllipse(pt, 2, 2);
    if (m_tool.IsDrawing() && !points.empty() && m_cursor.x() >= 0) {
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.drawLine(line.back(), m_cursor);
        p.setPen(Qt::black);
        std::snprintf(text, sizeof text, "x=%1.0fHz y=%1.1fdB ",
                      freegrid::FrequencyOfX(m_cursor.x() - CFreeFilterDlg::kAreaOffset),
                      freegrid::LevelOfY(m_cursor.y(), top, range));
        p.drawText(QPointF(grid.left() + 200, 14), QString::fromUtf8(text));
    }
    p.setPen(QColor(200, 0, 0));
    p.drawText(QPointF(grid.left() + 6, grid.top() + 16),
               QString::fromStdString(m_tool.RemainingText()));
    p.setPen(Qt::black);
    p.drawText(QPointF(grid.left() + 6, grid.bottom() - 18),
               QString::fromStdString(m_tool.TapCountText() + "  " + m_tool.ConvolutionText()));
}

} // namespace

CFreeFilterDlg::CFreeFilterDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CRtToolDlg(doc, std::make_unique<CFreeFilterTool>(doc, card),
                 QStringLiteral("フィルター自由自在"), {}, 4, parent),
      m_free(static_cast<CFreeFilterTool*>(&Tool())) {
    auto* area = new CDrawingArea(*m_free);
    m_area = area;
    auto* left = MakePanelButton(QStringLiteral("Left_Side"), QStringLiteral("leftSide"));
    auto* right = MakePanelButton(QStringLiteral("Right_Side"), QStringLiteral("rightSide"));
    m_top = new QLineEdit;
    m_range = new QLineEdit;
    for (QLineEdit* e : {m_top, m_range}) {
        e->setReadOnly(true);
        e->setMaximumWidth(44);
    }
    m_window = new QComboBox;
    m_window->setObjectName(QStringLiteral("windowList"));
    for (int i = 0; i < rtwindow::kCount; ++i)
        m_window->addItem(QString::fromUtf8(rtwindow::Name(i)));
    m_window->setCurrentIndex(m_free->WindowEntry());
    m_taps = new QComboBox;
    m_taps->setObjectName(QStringLiteral("taps"));
    for (int n = freegrid::kMinTaps; n <= freegrid::kMaxTaps; n *= 2)
        m_taps->addItem(QString::number(n));
    m_taps->setCurrentText(QString::number(m_free->TapCount()));
    for (int c = 0; c < 2; ++c) {
        m_peak[c] = new QProgressBar;
        m_peak[c]->setObjectName(QStringLiteral("peak%1").arg(c + 1));
        m_peak[c]->setRange(0, 100);
        m_peak[c]->setTextVisible(false);
    }
    auto* sides = new QHBoxLayout;
    sides->addWidget(left);
    sides->addStretch();
    sides->addWidget(right);
    auto* settings = new QFormLayout;
    settings->addRow(QStringLiteral("最大値(dB)"),
                     MakeSpinRow(m_top, this, QStringLiteral("gridTop"), [this](int d) {
                         m_free->OnGridTopSpin(d);
                         Refresh();
                     }));
    settings->addRow(QStringLiteral("D_ﾚﾝｼﾞ(dB)"),
                     MakeSpinRow(m_range, this, QStringLiteral("gridRange"), [this](int d) {
                         m_free->OnGridRangeSpin(d);
                         Refresh();
                     }));
    settings->addRow(QStringLiteral("窓関数の設定"), m_window);
    settings->addRow(QStringLiteral("ﾀｯﾌﾟ数"), m_taps);
    auto* meters = new QGridLayout;
    meters->addWidget(new QLabel(QStringLiteral("ﾋﾟｰｸﾚﾍﾞﾙﾒｰﾀｰ Lch")), 0, 0);
    meters->addWidget(m_peak[0], 0, 1);
    meters->addWidget(new QLabel(QStringLiteral("Rch")), 1, 0, Qt::AlignRight);
    meters->addWidget(m_peak[1], 1, 1);
    DesignArea()->addWidget(area);
    DesignArea()->addLayout(sides);
    DesignArea()->addLayout(settings);
    DesignArea()->addLayout(meters);

    area->changed = [this] { Refresh(); };
    connect(left, &QPushButton::clicked, this, [this, area] {
        m_free->OnLeftSide(area->LastY());
        Refresh();
    });
    connect(right, &QPushButton::clicked, this, [this, area] {
        m_free->SetTapCount(m_taps->currentText().toInt());
        m_free->OnRightSide(area->LastY());
        Refresh();
    });
    connect(m_window, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_free->SetWindowEntry(i);
        Refresh();
    });
    connect(m_taps, &QComboBox::currentIndexChanged, this,
            [this] { m_free->SetTapCount(m_taps->currentText().toInt()); });
    Panel().onStart = [this] {
        m_free->SetTapCount(m_taps->currentText().toInt());
        m_free->OnStart();
        Refresh();
    };
    Panel().onSave = [this] { m_free->OnSave(); };
    Refresh();
}

void CFreeFilterDlg::Refresh() {
    CRtToolDlg::Refresh();
    m_top->setText(QString::number(m_free->TopLevel()));
    m_range->setText(QString::number(m_free->Range()));
    for (int c = 0; c < 2; ++c) m_peak[c]->setValue(m_free->Engine().PeakPercent(c + 1));
    m_area->update();
}
