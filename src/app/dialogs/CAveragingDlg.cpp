#include "app/dialogs/CAveragingDlg.h"

#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kMaxEntry = 100000;
} // namespace

CAveragingDlg::CAveragingDlg(int maxCount, IDocumentUi& ui, QWidget* parent)
    : QDialog(parent), m_nMax(maxCount), m_ui(ui) {
    setWindowTitle(QStringLiteral("ｱﾍﾞﾚｰｼﾞﾝｸﾞ"));
    auto* maxField = new QLineEdit(QString::number(maxCount));
    maxField->setReadOnly(true);
    maxField->setObjectName(QStringLiteral("maxCount"));
    m_edit = new QLineEdit(QString::number(maxCount));
    m_edit->setValidator(new QIntValidator(0, kMaxEntry, m_edit));
    m_edit->setObjectName(QStringLiteral("count"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("最大ｱﾍﾞﾚｰｼﾞﾝｸﾞ回数"), maxField);
    form->addRow(QStringLiteral("ｱﾍﾞﾚｰｼﾞﾝｸﾞ回数"), m_edit);
    form->addRow(buttons);
}

int CAveragingDlg::Count() const {
    return m_edit->text().toInt();
}

void CAveragingDlg::SetCount(const QString& text) {
    m_edit->setText(text);
}

bool CAveragingDlg::Check() {
    bool ok = false;
    const int k = m_edit->text().toInt(&ok);
    if (ok && k > 0 && k <= m_nMax) return true;
    m_ui.ShowMessage(msg::kAverageCountRange);
    m_edit->selectAll();
    m_edit->setFocus();
    return false;
}

void CAveragingDlg::accept() {
    if (Check()) QDialog::accept();
}
