#include "sound/qt/PanelWidgets.h"

#include <QPushButton>

QPushButton* MakePanelButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
