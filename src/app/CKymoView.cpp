#include "app/CKymoView.h"

#include "document/CKymoDoc.h"
#include "view/PlotFont.h"

#include <QPainter>

CKymoView::CKymoView(CKymoDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CKymoView::OnUpdate() {
    update();
}

void CKymoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setFont(MakePlotFont(16));
    p.drawText(rect(), Qt::AlignCenter,
               QStringLiteral("Sonalyx  data kind %1").arg(m_doc.disp_mode1));
}
