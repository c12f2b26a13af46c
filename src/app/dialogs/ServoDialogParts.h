#pragma once

#include <QString>

class QButtonGroup;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;
class QWidget;

// Pieces shared by the servo-calculator and test-signal dialogs.

// The radio group "演算操作の選択": "(＋)加算", "(－)減算", "（Ｘ）乗算", "(÷)除算", with the
// operation codes 0 .. 3 as button ids; multiply selected.
QGroupBox* MakeOperationGroup(QButtonGroup*& group);

// A numeric edit preset to `value` (shown with %g precision of 9 digits).
QLineEdit* MakeNumberEdit(double value, const QString& objectName);

// The value of a numeric edit; false when the text is not a number.
bool ReadNumber(const QLineEdit* edit, double& value);

// OK / "ｷｬﾝｾﾙ" buttons wired to the dialog's accept and reject.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

// The sampling-frequency drop-down "44.1kHz", "48kHz", "96kHz", "176.4kHz", "自分で設定",
// preset to "48kHz".
QComboBox* MakeSamplingCombo();
