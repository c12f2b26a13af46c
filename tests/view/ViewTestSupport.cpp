#include "ViewTestSupport.h"

#include <QGuiApplication>

#include <cstdlib>

void EnsureTestGuiApp() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "view_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

void SaveToGallery(const QImage& image, const std::string& name) {
    const char* dir = std::getenv("SONALYX_VIEW_GALLERY");
    if (!dir || !*dir) return;
    image.save(QString::fromStdString(std::string(dir) + "/" + name + ".png"), "PNG");
}

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) ++count;
    return count;
}
