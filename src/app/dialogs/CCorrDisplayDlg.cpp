#include "app/dialogs/CCorrDisplayDlg.h"

#include "app/dialogs/SpinRow.h"
#include "document/CKymoDoc.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kGainMin = -2, kGainMax = 2;
constexpr int kTimeMin = 1, kTimeMax = 4;
} // namespace

CCorrDisplayDlg::CCorrDisplayDlg(CKymoDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("相関表示の設定"));
    m_gain = new QLineEdit(GainText());
    m_time = new QLineEdit(TimeText());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("相関値の拡大縮小"),
                 MakeSpinRow(m_gain, this, QStringLiteral("gain"), [this](int d) { StepGain(d); }));
    form->addRow(QStringLiteral("時間表示の設定"),
                 MakeSpinRow(m_time, this, QStringLiteral("time"), [this](int d) { StepTime(d); }));
    form->addRow(buttons);
}

void CCorrDisplayDlg::StepGain(int delta) {
    m_doc.m_nCorrGainExp = std::clamp(m_doc.m_nCorrGainExp + delta, kGainMin, kGainMax);
    m_gain->setText(GainText());
    m_doc.UpdateAllViews();
}

void CCorrDisplayDlg::StepTime(int delta) {
    m_doc.m_nCorrTimeExp = std::clamp(m_doc.m_nCorrTimeExp + delta, kTimeMin, kTimeMax);
    m_doc.m_nCorrTimeScale = 1 << m_doc.m_nCorrTimeExp;
    m_time->setText(TimeText());
    m_doc.UpdateAllViews();
}

QString CCorrDisplayDlg::GainText() const {
    return QString::number(std::ldexp(1.0, m_doc.m_nCorrGainExp));
}

QString CCorrDisplayDlg::TimeText() const {
    return QString::number(1 << std::clamp(m_doc.m_nCorrTimeExp, 0, 16));
}
