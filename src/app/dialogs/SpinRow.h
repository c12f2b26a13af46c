#pragma once

#include <functional>

class QHBoxLayout;
class QLineEdit;
class QString;
class QWidget;

// A read-only edit with an up and a down arrow beside it, as the dialogs' spin controls: the
// up arrow calls `step(1)`, the down arrow `step(-1)`. The edit is named `name`, the arrows
// `name` + "Up" and `name` + "Down"; `owner` receives the connections.
QHBoxLayout* MakeSpinRow(QLineEdit* field, QWidget* owner, const QString& name,
                         const std::function<void(int)>& step);
