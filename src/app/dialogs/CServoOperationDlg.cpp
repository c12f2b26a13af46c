#include "app/dialogs/CServoOperationDlg.h"

#include "app/dialogs/ServoDialogParts.h"
#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"
#include "dsp/ServoChecks.h"
#include "dsp/ServoElements.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

CServoOperationDlg::CServoOperationDlg(const QString& title, std::vector<ServoField> fields,
                                       bool withOperation, const QString& note, IDocumentUi& ui,
                                       QWidget* parent)
    : QDialog(parent), m_ui(ui), m_fields(std::move(fields)) {
    setWindowTitle(title);
    auto* form = new QFormLayout(this);
    for (const ServoField& f : m_fields) {
        QLineEdit* edit = MakeNumberEdit(f.value, f.name);
        m_edits.push_back(edit);
        m_values.push_back(f.value);
        form->addRow(f.label, edit);
    }
    if (withOperation) form->addRow(MakeOperationGroup(m_operation));
    if (!note.isEmpty()) form->addRow(new QLabel(note));
    form->addRow(MakeOkCancel(this));
}

double CServoOperationDlg::Value(int field) const {
    return m_values[static_cast<std::size_t>(field)];
}

int CServoOperationDlg::Operation() const {
    return m_operation ? m_operation->checkedId() : servo_op::Multiply;
}

void CServoOperationDlg::SetOperation(int op) {
    if (m_operation && m_operation->button(op)) m_operation->button(op)->setChecked(true);
}

bool CServoOperationDlg::Check() {
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        double v = 0.0;
        std::string refusal;
        if (!ReadNumber(m_edits[i], v))
            refusal = msg::kNotNumeric;
        else if (m_fields[i].check)
            refusal = m_fields[i].check(v);
        if (!refusal.empty()) {
            m_ui.ShowMessage(refusal);
            m_edits[i]->selectAll();
            m_edits[i]->setFocus();
            return false;
        }
        m_values[i] = v;
    }
    if (m_wholeCheck) {
        const std::string refusal = m_wholeCheck(m_values, Operation());
        if (!refusal.empty()) {
            m_ui.ShowMessage(refusal);
            if (!m_edits.empty()) {
                m_edits.front()->selectAll();
                m_edits.front()->setFocus();
            }
            return false;
        }
    }
    return true;
}

void CServoOperationDlg::accept() {
    if (Check()) QDialog::accept();
}

std::function<std::string(double)> RangeCheck(double lo, double hi) {
    return [lo, hi](double v) { return CheckRange(v, lo, hi); };
}
