#include "app/ToolbarIcons.h"

#include "document/CommandIds.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

using namespace cmd;

namespace {

constexpr int W = kToolbarButtonWidth;
constexpr int H = kToolbarButtonHeight;

void Label(QPainter& p, const QString& text, const QColor& colour, int pixelSize,
           QRect box = QRect(0, 0, W, H)) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void Sine(QPainter& p, const QRectF& box, const QColor& colour, double cycles) {
    QPainterPath path;
    for (int i = 0; i <= 32; ++i) {
        const double x = box.left() + box.width() * i / 32.0;
        const double y = box.center().y() - box.height() / 2 * qSin(2 * M_PI * cycles * i / 32.0);
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void BodeCurve(QPainter& p, const QColor& colour) {
    QPainterPath path;
    path.moveTo(2, 5);
    path.lineTo(9, 5);
    path.cubicTo(12, 5, 13, 9, 18, 15);
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Bars(QPainter& p, const QColor& colour) {
    const int heights[] = {4, 12, 7, 15, 9, 5, 11, 3};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 8; ++i) p.drawRect(2 + i * 2, H - 2 - heights[i], 1, heights[i]);
}

void Folder(QPainter& p) {
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(250, 210, 90));
    p.drawPolygon(QPolygon(
        {QPoint(1, 5), QPoint(6, 5), QPoint(8, 7), QPoint(17, 7), QPoint(17, 16), QPoint(1, 16)}));
}

void Disk(QPainter& p) {
    p.setPen(QColor(20, 20, 90));
    p.setBrush(QColor(60, 80, 190));
    p.drawRect(2, 2, 15, 15);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 9, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(5, 11, 9, 6);
}

void Printer(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 9, 6);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(2, 8, 15, 6);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 9, 5);
}

void Draw(QPainter& p, int id) {
    const QColor blue(0, 0, 160), red(180, 0, 0), green(0, 120, 0), black(0, 0, 0);
    switch (id) {
    case ID_INIT_FILE_TB:
        Folder(p);
        Label(p, QStringLiteral("R"), red, 9, QRect(6, 7, 12, 10));
        break;
    case ID_SAVE_RESULT_TB:
        Disk(p);
        break;
    case ID_FILE_PRINT:
        Printer(p);
        break;
    case ID_FILE_SERVO_TB:
        BodeCurve(p, blue);
        Label(p, QStringLiteral("S"), red, 9, QRect(0, 8, 10, 11));
        break;
    case ID_SAMPLE_COUNT_TB:
        Label(p, QStringLiteral("N"), blue, 14);
        break;
    case ID_BACK_TO_WAVE_TB:
        Sine(p, QRectF(1, 3, 18, 13), green, 2.0);
        break;
    case ID_GAIN_TB:
        Label(p, QStringLiteral("K"), blue, 14);
        break;
    case ID_INTEGRAL_TB:
        Label(p, QStringLiteral("1/s"), blue, 9);
        break;
    case ID_DERIVATIVE_TB:
        Label(p, QStringLiteral("s"), blue, 14);
        break;
    case ID_OPEN_LOOP_TB:
        Label(p, QStringLiteral("OP"), red, 9);
        break;
    case ID_CLOSED_LOOP_TB:
        Label(p, QStringLiteral("CL"), red, 9);
        break;
    case ID_INVERSE_TB:
        Label(p, QStringLiteral("1/G"), red, 8);
        break;
    case ID_MEM_STORE_TB:
        Label(p, QStringLiteral("M+"), green, 10);
        break;
    case ID_MEM_RECALL_TB:
        Label(p, QStringLiteral("MR"), green, 10);
        break;
    case ID_SPECTRUM_ANALYZER_TB:
        Bars(p, blue);
        break;
    case ID_SPECTRUM_3D_TB:
        for (int i = 0; i < 4; ++i) Sine(p, QRectF(1 + i * 2, 2 + i * 4, 14, 5), blue, 1.5);
        break;
    case ID_SERVO_ANALYZER_TB:
        BodeCurve(p, red);
        Sine(p, QRectF(1, 11, 10, 6), green, 1.0);
        break;
    case ID_RT_FIR_START_TB:
        Label(p, QStringLiteral("FIR"), black, 8);
        break;
    case ID_SIGNAL_GENERATOR_TB:
        p.setPen(black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 2, 17, 14);
        Sine(p, QRectF(3, 5, 13, 8), red, 1.0);
        break;
    case ID_BENCHMARK_TB:
        p.setPen(QPen(black, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 4, 16, 16), 0, 180 * 16);
        p.setPen(QPen(red, 1.5));
        p.drawLine(QPointF(10, 12), QPointF(15, 6));
        break;
    case ID_APP_ABOUT:
        Label(p, QStringLiteral("?"), blue, 15);
        break;
    default:
        break;
    }
}

bool HasButton(int id) {
    switch (id) {
    case ID_INIT_FILE_TB:
    case ID_SAVE_RESULT_TB:
    case ID_FILE_PRINT:
    case ID_FILE_SERVO_TB:
    case ID_SAMPLE_COUNT_TB:
    case ID_BACK_TO_WAVE_TB:
    case ID_GAIN_TB:
    case ID_INTEGRAL_TB:
    case ID_DERIVATIVE_TB:
    case ID_OPEN_LOOP_TB:
    case ID_CLOSED_LOOP_TB:
    case ID_INVERSE_TB:
    case ID_MEM_STORE_TB:
    case ID_MEM_RECALL_TB:
    case ID_SPECTRUM_ANALYZER_TB:
    case ID_SPECTRUM_3D_TB:
    case ID_SERVO_ANALYZER_TB:
    case ID_RT_FIR_START_TB:
    case ID_SIGNAL_GENERATOR_TB:
    case ID_BENCHMARK_TB:
    case ID_APP_ABOUT:
        return true;
    default:
        return false;
    }
}

} // namespace

QIcon MakeToolbarIcon(int commandId) {
    if (!HasButton(commandId)) return QIcon();
    QPixmap pixmap(W, H);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        Draw(p, commandId);
    }
    // Disabled buttons are drawn by the style from the same picture.
    return QIcon(pixmap);
}
