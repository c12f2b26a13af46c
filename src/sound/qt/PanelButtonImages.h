#pragma once

#include <QPixmap>
#include <QString>

// The images of the instrument panels' picture buttons ("保存", "Avr_"), drawn in code: a raised
// grey key with dark lettering when idle, a lit green key with a lamp when active.
QPixmap PanelButtonImage(const QString& label, bool active);

// Size of the images in pixels.
QSize PanelButtonImageSize();
