#pragma once

#include <QString>

#include <string>

class QPushButton;

// Small pieces shared by the sound panels.

// A push button named `name` that never becomes the dialog's default button.
QPushButton* MakePanelButton(const QString& text, const QString& name);
// A text of the core models (UTF-8) for a widget.
inline QString UiText(const std::string& text) {
    return QString::fromStdString(text);
}
