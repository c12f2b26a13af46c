#include "app/dialogs/CFirNoticeDlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFirNoticeDlg::CFirNoticeDlg(const QString& text, QWidget* parent, bool withCancel)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("FIRのオーダー"));
    m_text = new QPlainTextEdit(text);
    m_text->setReadOnly(true);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setMinimumSize(360, 90);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    if (withCancel) {
        QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
        cancel->setText(QStringLiteral("ｷｬﾝｾﾙ"));
        cancel->setObjectName(QStringLiteral("cancel"));
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
}

QString CFirNoticeDlg::Text() const {
    return m_text->toPlainText();
}
