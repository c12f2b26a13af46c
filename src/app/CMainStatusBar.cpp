#include "app/CMainStatusBar.h"

#include "resources/CommandTexts.h"

#include <QLabel>

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    m_idle = new QLabel(QString::fromUtf8(kIdlePrompt), this);
    addWidget(m_idle, 1);
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromUtf8(text), this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        // The keyboard's lock states are not readable portably: the panes stay in their
        // "off" look.
        pane->setEnabled(false);
        addPermanentWidget(pane);
        m_indicators << pane;
    }
}

QString CMainStatusBar::MessageText() const {
    const QString message = currentMessage();
    return message.isEmpty() ? m_idle->text() : message;
}
