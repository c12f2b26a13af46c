#include "realtime/qt/CRtToolDlg.h"

#include "realtime/RtFilterTool.h"
#include "realtime/qt/CRtPanelWidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace {

class CPicture : public QWidget {
public:
    CPicture(std::function<void(QPainter&, const QRect&)> paint, QSize size)
        : m_paint(std::move(paint)) {
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (m_paint) m_paint(p, rect());
    }

private:
    std::function<void(QPainter&, const QRect&)> m_paint;
};

} // namespace

QLineEdit* RtNumberEdit(const char* name, double value) {
    auto* e = new QLineEdit(QString::number(value));
    e->setObjectName(QString::fromUtf8(name));
    e->setMaximumWidth(90);
    return e;
}

double RtNumber(const QLineEdit* edit) {
    return edit->text().toDouble();
}

void RtFocus(QLineEdit* edit) {
    if (!edit) return;
    edit->selectAll();
    edit->setFocus();
}

QWidget* RtPicture(const char* name, std::function<void(QPainter&, const QRect&)> paint,
                   QSize size) {
    auto* w = new CPicture(std::move(paint), size);
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

CRtToolDlg::CRtToolDlg(CKymoDoc& doc, std::unique_ptr<CRtFilterTool> tool, const QString& title,
                       const QStringList& displays, int channels, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc),
      m_tool(std::move(tool)) {
    setWindowTitle(title);
    m_panel = new CRtPanelWidget(*m_tool, displays, channels);
    m_panel->onStart = [this] {
        m_tool->OnStart();
        Refresh();
    };
    m_panel->onStop = [this] { OnStop(); };
    m_panel->onRefresh = [this] { Refresh(); };
    m_design = new QVBoxLayout;
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(m_design);
    layout->addWidget(m_panel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CRtToolDlg::~CRtToolDlg() {
    // The panel reaches the tool's engine until it is gone; the tool goes with this object.
    delete m_panel;
}

void CRtToolDlg::CloseTool() {
    m_tool->Close();
}

void CRtToolDlg::OnStop() {
    if (m_bClosing) return;
    m_bClosing = true;
    CloseTool();
    accept();
}

void CRtToolDlg::reject() {
    OnStop();
}

void CRtToolDlg::Refresh() {
    m_panel->Refresh();
}

void CRtToolDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Beside the right edge of the main window, so that the plots stay in sight.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->geometry();
        move(frame.right() - width() - 16, frame.top() + 90);
    }
}
