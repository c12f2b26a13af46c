#pragma once

#include <QImage>

#include <string>

// A QGuiApplication for the view tests (fonts and painting need one).
void EnsureTestGuiApp();

// Saves `image` as NAME.png into $SONALYX_VIEW_GALLERY when that variable is set, so the
// drawings can be looked at.
void SaveToGallery(const QImage& image, const std::string& name);

// Number of pixels of exactly `colour` inside the device rectangle.
int CountColour(const QImage& image, const QRect& area, QRgb colour);
