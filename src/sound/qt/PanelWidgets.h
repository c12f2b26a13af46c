#pragma once

#include <QString>

#include <string>

class QLineEdit;
class QPushButton;
class QToolButton;

// Small pieces shared by the sound panels.

// A push button named `name` that never becomes the dialog's default button.
QPushButton* MakePanelButton(const QString& text, const QString& name);
// A picture button named `name` (its image set by the panel, PanelButtonImage); `label` is its
// tool tip and accessible name.
QToolButton* MakePictureButton(const char* label, const char* name);
// A narrow right-aligned value field.
QLineEdit* MakePanelField();
// A text of the core models (UTF-8) for a widget.
inline QString UiText(const std::string& text) {
    return QString::fromStdString(text);
}
