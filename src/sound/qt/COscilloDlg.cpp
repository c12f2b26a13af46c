#include "sound/qt/COscilloDlg.h"

#include "sound/scope/OscilloPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

COscilloDlg::COscilloDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CScopeDlg(doc, std::make_unique<COscilloPanel>(doc, card), QStringLiteral("オシロスコープ"),
                parent) {
    setObjectName(QStringLiteral("OscilloDlg"));
    m_single = ActionButton(QStringLiteral("SING"), "single", [this] { Panel().OnSingle(); });
    RunButtons()->addWidget(m_single, 2, 0);
    m_over = ActionCheck(QStringLiteral("OvrSamp"), "overSample",
                         [this](bool) { Panel().OnOverSample(); });
    RunButtons()->addWidget(m_over, 2, 1);
    Refresh();
}

COscilloPanel& COscilloDlg::Panel() {
    return static_cast<COscilloPanel&>(Controls());
}

void COscilloDlg::Refresh() {
    CScopeDlg::Refresh();
    m_single->setEnabled(Panel().SingleEnabled());
    m_over->setChecked(Panel().OverSampling());
}
