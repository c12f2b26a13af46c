#include "view/PlotCanvas.h"

#include "view/PlotFont.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

PlotCanvas::PlotCanvas(QPainter& painter, double scale, bool yUp)
    : m_p(painter), m_scale(scale > 0 ? scale : 1.0), m_yUp(yUp) {
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.setRenderHint(QPainter::TextAntialiasing, true);
    m_p.setBrush(Qt::NoBrush);
}

QPointF PlotCanvas::Unmap(const QPointF& d) const {
    return QPointF(d.x() / m_scale, (m_yUp ? -d.y() : d.y()) / m_scale);
}

void PlotCanvas::SetPen(const QColor& colour, int width) {
    QPen pen(colour);
    pen.setWidthF(width <= 1 ? 0.0 : width * m_scale);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_p.setPen(pen);
}

void PlotCanvas::SetRasterOp(QPainter::CompositionMode mode) {
    m_p.setCompositionMode(mode);
}

void PlotCanvas::Line(double x0, double y0, double x1, double y1) {
    m_p.drawLine(Map(x0, y0), Map(x1, y1));
    m_cursor = QPointF(x1, y1);
}

void PlotCanvas::MoveTo(double x, double y) {
    m_cursor = QPointF(x, y);
}

void PlotCanvas::LineTo(double x, double y) {
    Line(m_cursor.x(), m_cursor.y(), x, y);
}

void PlotCanvas::Polyline(const QPolygonF& pts) {
    if (pts.size() < 2) return;
    QPolygonF mapped;
    mapped.reserve(pts.size());
    for (const QPointF& q : pts) {
        const QPointF m = Map(q.x(), q.y());
        // Far-off points (values above full scale) are kept within what the raster engine
        // handles; the line leaves the panel as it should.
        mapped.append(QPointF(std::clamp(m.x(), -1e6, 1e6), std::clamp(m.y(), -1e6, 1e6)));
    }
    m_p.drawPolyline(mapped);
    m_cursor = pts.back();
}

void PlotCanvas::Rectangle(double x0, double y0, double x1, double y1, const QColor& fill) {
    const QRectF r = QRectF(Map(x0, y0), Map(x1, y1)).normalized();
    if (fill.isValid()) m_p.fillRect(r, fill);
    m_p.drawRect(r);
}

void PlotCanvas::SetFontHeight(double logicalHeight) {
    QFont f = MakePlotFont(std::max(1, static_cast<int>(std::lround(logicalHeight * m_scale))));
    f.setWeight(QFont::Medium);
    m_p.setFont(f);
}

void PlotCanvas::Text(double x, double y, const QString& text, int align) {
    const QFontMetricsF fm(m_p.font(), m_p.device());
    const QPointF ref = Map(x, y);
    const double w = fm.horizontalAdvance(text);
    double left = ref.x();
    if (align & Right)
        left -= w;
    else if (align & HCenter)
        left -= w / 2;
    double top = ref.y();
    if (align & Bottom)
        top -= fm.height();
    else if (align & Baseline)
        top -= fm.ascent();
    const QRectF cell(left, top, w, fm.height());
    const QPen pen = m_p.pen();
    const QPainter::CompositionMode mode = m_p.compositionMode();
    m_p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_textOpaque) m_p.fillRect(cell, m_textBackground);
    m_p.setPen(m_textColour);
    m_p.drawText(QPointF(left, top + fm.ascent()), text);
    m_p.setPen(pen);
    m_p.setCompositionMode(mode);
}

void PlotCanvas::Text(double x, double y, const std::string& utf8, int align) {
    Text(x, y, QString::fromStdString(utf8), align);
}
