#include "app/dialogs/CRemezBandTable.h"

#include "document/DocumentUi.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

CRemezBandTable::CRemezBandTable(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_count = new QSpinBox;
    m_count->setObjectName(QStringLiteral("bandCount"));
    m_count->setRange(kRemezMinBands, kRemezMaxBands);
    m_count->setReadOnly(false);
    m_count->findChild<QLineEdit*>()->setReadOnly(true); // the count changes by the arrows only
    grid->addWidget(new QLabel(QStringLiteral("ﾊﾞﾝﾄﾞ数")), 0, 0);
    grid->addWidget(m_count, 0, 1);
    const char* heads[] = {"Low_Hz", "High_Hz", "Gain", "Weight"};
    for (int c = 0; c < 4; ++c) grid->addWidget(new QLabel(QString::fromUtf8(heads[c])), 1, c + 1);
    auto makeEdit = [](const char* name, int k) {
        auto* e = new QLineEdit;
        e->setObjectName(QStringLiteral("%1%2").arg(QString::fromUtf8(name)).arg(k + 1));
        e->setMaximumWidth(90);
        return e;
    };
    for (int k = 0; k < kRemezMaxBands; ++k) {
        grid->addWidget(new QLabel(QStringLiteral("BD%1").arg(k + 1)), k + 2, 0);
        m_low[k] = makeEdit("low", k);
        m_high[k] = makeEdit("high", k);
        m_gain[k] = makeEdit("gain", k);
        m_weight[k] = makeEdit("weight", k);
        grid->addWidget(m_low[k], k + 2, 1);
        grid->addWidget(m_high[k], k + 2, 2);
        grid->addWidget(m_gain[k], k + 2, 3);
        grid->addWidget(m_weight[k], k + 2, 4);
    }
    connect(m_count, &QSpinBox::valueChanged, this, &CRemezBandTable::UpdateRows);
    SetTable(RemezBandTable{});
}

void CRemezBandTable::SetTable(const RemezBandTable& t) {
    m_count->setValue(t.nBands);
    for (int k = 0; k < kRemezMaxBands; ++k) {
        m_low[k]->setText(QString::number(t.low[k]));
        m_high[k]->setText(QString::number(t.high[k]));
        m_gain[k]->setText(QString::number(t.gain[k]));
        m_weight[k]->setText(QString::number(t.weight[k]));
    }
    UpdateRows();
}

RemezBandTable CRemezBandTable::Table() const {
    RemezBandTable t;
    t.nBands = m_count->value();
    for (int k = 0; k < kRemezMaxBands; ++k) {
        t.low[k] = m_low[k]->text().toFloat();
        t.high[k] = m_high[k]->text().toFloat();
        t.gain[k] = m_gain[k]->text().toFloat();
        t.weight[k] = m_weight[k]->text().toFloat();
    }
    return t;
}

void CRemezBandTable::UpdateRows() {
    for (int k = 0; k < kRemezMaxBands; ++k) {
        const bool on = k < m_count->value();
        m_low[k]->setEnabled(on);
        m_high[k]->setEnabled(on);
        m_gain[k]->setEnabled(on);
        m_weight[k]->setEnabled(on);
    }
}

QLineEdit* CRemezBandTable::Edit(RemezField field, int band) const {
    if (band < 0 || band >= kRemezMaxBands) return nullptr;
    switch (field) {
    case RemezField::BandLow:
        return m_low[band];
    case RemezField::BandHigh:
        return m_high[band];
    case RemezField::BandGain:
        return m_gain[band];
    case RemezField::BandWeight:
        return m_weight[band];
    default:
        return nullptr;
    }
}

void CRemezBandTable::FocusField(RemezField field, int band) {
    if (QLineEdit* e = Edit(field, band)) {
        e->selectAll();
        e->setFocus();
    }
}

bool ShowRemezCheck(IDocumentUi& ui, const RemezCheck& check) {
    for (const std::string& n : check.notices) ui.ShowMessage(n, MessageIcon::None);
    if (!check.ok) ui.ShowMessage(check.message, MessageIcon::None);
    return check.ok;
}
