#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class IDocumentUi;
class QButtonGroup;
class QLineEdit;

// One numeric field of a calculator dialog. `check` returns the message for a refused value
// (empty when the value is accepted).
struct ServoField {
    QString label;
    double value = 0.0;
    QString name;
    std::function<std::string(double)> check;
};

// The calculator's parameter dialogs ("演算の設定", "１次遅れ進みの設定", "2次振動系の設定（２）"):
// numeric fields, optionally the operation group, and a note. OK refuses non-numeric input with
// "数字以外のデーターを入力したようです！　各データー値を確認願います" and a value its field's
// check refuses with that message; the field's text is then selected and the dialog stays open.
class CServoOperationDlg : public QDialog {
    Q_OBJECT
public:
    CServoOperationDlg(const QString& title, std::vector<ServoField> fields, bool withOperation,
                       const QString& note, IDocumentUi& ui, QWidget* parent = nullptr);

    double Value(int field) const;
    int Operation() const;
    QLineEdit* Field(int field) const { return m_edits[static_cast<std::size_t>(field)]; }
    void SetOperation(int op);
    // A check of all values together with the operation, run after the fields' own checks;
    // it returns the message of a refusal (empty when accepted).
    using WholeCheck = std::function<std::string(const std::vector<double>&, int op)>;
    void SetWholeCheck(WholeCheck check) { m_wholeCheck = std::move(check); }
    bool Check();
    void accept() override;

private:
    IDocumentUi& m_ui;
    std::vector<ServoField> m_fields;
    std::vector<QLineEdit*> m_edits;
    std::vector<double> m_values;
    QButtonGroup* m_operation = nullptr;
    WholeCheck m_wholeCheck;
};

// A check for values in [lo, hi] with the standard range message.
std::function<std::string(double)> RangeCheck(double lo, double hi);
