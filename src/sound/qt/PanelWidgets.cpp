#include "sound/qt/PanelWidgets.h"

#include "sound/qt/PanelButtonImages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

QPushButton* MakePanelButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QToolButton* MakePictureButton(const char* label, const char* name) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(label));
    button->setAccessibleName(QString::fromUtf8(label));
    button->setIconSize(PanelButtonImageSize());
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QLineEdit* MakePanelField() {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(56);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}
