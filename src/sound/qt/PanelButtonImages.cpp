#include "sound/qt/PanelButtonImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kWidth = 64, kHeight = 26;
} // namespace

QSize PanelButtonImageSize() {
    return {kWidth, kHeight};
}

QPixmap PanelButtonImage(const QString& label, bool active) {
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF key(1.5, 1.5, kWidth - 3, kHeight - 3);
    QLinearGradient face(key.topLeft(), key.bottomLeft());
    if (active) {
        face.setColorAt(0.0, QColor(70, 170, 90));
        face.setColorAt(1.0, QColor(20, 100, 40));
    } else {
        face.setColorAt(0.0, QColor(236, 236, 236));
        face.setColorAt(1.0, QColor(188, 188, 188));
    }
    QPainterPath outline;
    outline.addRoundedRect(key, 4, 4);
    p.fillPath(outline, face);
    p.setPen(QPen(active ? QColor(10, 60, 20) : QColor(110, 110, 110), 1.0));
    p.drawPath(outline);

    // The lamp at the left: lit while active.
    const QRectF lamp(6, kHeight / 2.0 - 3.5, 7, 7);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(active ? QColor(255, 230, 60) : QColor(120, 120, 120));
    p.drawEllipse(lamp);

    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(active);
    p.setFont(font);
    p.setPen(active ? QColor(255, 255, 255) : QColor(30, 30, 30));
    p.drawText(QRectF(16, 0, kWidth - 18, kHeight), Qt::AlignCenter, label);
    return pixmap;
}
