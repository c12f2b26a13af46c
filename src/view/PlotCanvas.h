#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <string>

class QPainter;

// Drawing surface of the plot routines: a QPainter seen through the program's logical
// coordinates. On the screen one unit is one pixel; for printing one unit is 0.01 inch.
// With yUp the logical y grows upward (device y = -y·scale), otherwise downward.
//
// Text is placed like GDI text: the reference point is the top-left corner of the text cell
// unless other alignment flags are given, and the cell is filled with the text background
// colour (white unless changed) as in opaque mode.
class PlotCanvas {
public:
    PlotCanvas(QPainter& painter, double scale = 1.0, bool yUp = true);

    QPainter& Painter() { return m_p; }
    double Scale() const { return m_scale; }
    bool YUp() const { return m_yUp; }

    QPointF Map(double x, double y) const {
        return QPointF(x * m_scale, (m_yUp ? -y : y) * m_scale);
    }
    // Logical coordinates of a device point.
    QPointF Unmap(const QPointF& device) const;

    // Pens and mixes.
    void SetPen(const QColor& colour, int width = 1);
    void SetRasterOp(QPainter::CompositionMode mode);
    void SetXor() { SetRasterOp(QPainter::RasterOp_SourceXorDestination); }
    void SetCopy() { SetRasterOp(QPainter::CompositionMode_SourceOver); }

    void Line(double x0, double y0, double x1, double y1);
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    // Draws a polyline through logical points.
    void Polyline(const QPolygonF& logicalPoints);
    // A rectangle between two logical corners, border in the current pen, filled when the
    // brush colour is valid.
    void Rectangle(double x0, double y0, double x1, double y1, const QColor& fill = QColor());

    // Plot font of `logicalHeight` units (face of the plot font, weight 500).
    void SetFontHeight(double logicalHeight);
    void SetTextColour(const QColor& c) { m_textColour = c; }
    void SetTextBackground(const QColor& c) { m_textBackground = c; }
    // Transparent text: no cell fill.
    void SetTextOpaque(bool opaque) { m_textOpaque = opaque; }
    enum Align { Left = 0, Right = 1, HCenter = 2, Top = 0, Bottom = 4, Baseline = 8 };
    void Text(double x, double y, const QString& text, int align = Left | Top);
    void Text(double x, double y, const std::string& utf8, int align = Left | Top);

private:
    QPainter& m_p;
    double m_scale;
    bool m_yUp;
    QPointF m_cursor;
    QColor m_textColour = Qt::black;
    QColor m_textBackground = Qt::white;
    bool m_textOpaque = true;
};
