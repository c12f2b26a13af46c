#include "app/dialogs/CScopeDisplayDlg.h"

#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* Arrow(Qt::ArrowType type, const QString& name) {
    auto* b = new QToolButton;
    b->setArrowType(type);
    b->setObjectName(name);
    return b;
}

QLineEdit* Field(const QString& name) {
    auto* e = new QLineEdit;
    e->setReadOnly(true);
    e->setObjectName(name);
    e->setMaximumWidth(70);
    return e;
}

} // namespace

CScopeDisplayDlg::CScopeDisplayDlg(CKymoDoc& doc, int channels, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_start(doc.m_scope), m_startXy(doc.m_bScopeXY),
      m_values(doc.m_scope), m_xy(doc.m_bScopeXY) {
    setWindowTitle(QStringLiteral("ｵｼﾛ表示の設定"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("ﾚﾝｼﾞ(倍)")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ﾎﾟｼﾞｼｮﾝ(%)")), 0, 3);
    const bool single = channels == 1 || channels == 3;
    if (single) {
        AddChannelRows(grid, channels == 3 ? 2 : 1, 1);
    } else {
        AddChannelRows(grid, 1, 1);
        AddChannelRows(grid, 2, 2);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    if (!single) {
        m_xyBox = new QCheckBox(QStringLiteral("X_Y表示"));
        m_xyBox->setChecked(m_xy != 0);
        connect(m_xyBox, &QCheckBox::toggled, this, &CScopeDisplayDlg::SetXy);
        layout->addWidget(m_xyBox);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
}

void CScopeDisplayDlg::AddChannelRows(QGridLayout* grid, int channel, int row) {
    const QString ch = QStringLiteral("ch%1").arg(channel);
    auto* name = new QLineEdit(ch);
    name->setReadOnly(true);
    name->setMaximumWidth(40);
    name->setObjectName(QStringLiteral("channel%1").arg(channel));
    grid->addWidget(name, row, 0);

    m_range[channel - 1] = Field(QStringLiteral("range%1").arg(channel));
    auto* rangeSpin = new QVBoxLayout;
    rangeSpin->setSpacing(0);
    auto* rUp = Arrow(Qt::UpArrow, QStringLiteral("rangeUp%1").arg(channel));
    auto* rDown = Arrow(Qt::DownArrow, QStringLiteral("rangeDown%1").arg(channel));
    rangeSpin->addWidget(rUp);
    rangeSpin->addWidget(rDown);
    connect(rUp, &QToolButton::clicked, this, [this, channel] { StepRange(channel, 1); });
    connect(rDown, &QToolButton::clicked, this, [this, channel] { StepRange(channel, -1); });
    grid->addWidget(m_range[channel - 1], row, 1);
    grid->addLayout(rangeSpin, row, 2);

    m_position[channel - 1] = Field(QStringLiteral("position%1").arg(channel));
    auto* posSpin = new QVBoxLayout;
    posSpin->setSpacing(0);
    auto* pUp = Arrow(Qt::UpArrow, QStringLiteral("positionUp%1").arg(channel));
    auto* pDown = Arrow(Qt::DownArrow, QStringLiteral("positionDown%1").arg(channel));
    posSpin->addWidget(pUp);
    posSpin->addWidget(pDown);
    connect(pUp, &QToolButton::clicked, this, [this, channel] { StepPosition(channel, 1); });
    connect(pDown, &QToolButton::clicked, this, [this, channel] { StepPosition(channel, -1); });
    grid->addWidget(m_position[channel - 1], row, 3);
    grid->addLayout(posSpin, row, 4);
}

void CScopeDisplayDlg::StepRange(int channel, int step) {
    int& e = channel == 2 ? m_values.m_nRangeExp2 : m_values.m_nRangeExp1;
    e = std::clamp(e + step, ScopeDisplay::kRangeExpMin, ScopeDisplay::kRangeExpMax);
    Apply();
}

void CScopeDisplayDlg::StepPosition(int channel, int step) {
    int& p = channel == 2 ? m_values.m_nPosStep2 : m_values.m_nPosStep1;
    p = std::clamp(p + step, ScopeDisplay::kPosStepMin, ScopeDisplay::kPosStepMax);
    Apply();
}

void CScopeDisplayDlg::SetXy(bool on) {
    m_xy = on ? 1 : 0;
}

void CScopeDisplayDlg::Apply() {
    ApplyScopeDisplay(m_doc, m_values, m_startXy);
    Refresh();
}

void CScopeDisplayDlg::Refresh() {
    const int exps[2] = {m_values.m_nRangeExp1, m_values.m_nRangeExp2};
    const int steps[2] = {m_values.m_nPosStep1, m_values.m_nPosStep2};
    for (int c = 0; c < 2; ++c) {
        if (m_range[c]) m_range[c]->setText(QString::fromStdString(ScopeRangeText(exps[c])));
        if (m_position[c]) m_position[c]->setText(QString::number(10 * steps[c]));
    }
}

void CScopeDisplayDlg::done(int result) {
    if (result == QDialog::Accepted)
        ApplyScopeDisplay(m_doc, m_values, m_xyBox ? m_xy : m_startXy);
    else
        ApplyScopeDisplay(m_doc, m_start, m_startXy);
    QDialog::done(result);
}

SONALYX_APP_COMMAND(cmd::ID_SCOPE_SETTINGS, ctx) {
    CScopeDisplayDlg dlg(ctx.doc, ctx.doc.m_nScopeShow, ctx.parent);
    dlg.exec();
}
