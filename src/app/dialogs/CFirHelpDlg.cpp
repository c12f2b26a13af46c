#include "app/dialogs/CFirHelpDlg.h"

#include "filters/FilterLimits.h"
#include "filters/FirMagnitude.h"
#include "filters/KaiserFir.h"
#include "filters/WindowFir.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace {

constexpr int kTaps = 51;
constexpr int kPoints = 256;
constexpr double kTopDb = 10.0;
constexpr double kBottomDb = -110.0;

std::vector<float> Response(const std::vector<double>& h) {
    std::vector<float> a(2 * kPoints), b(2 * kPoints);
    FirMagnitude(0, h.data(), kPoints, static_cast<int>(h.size()), a.data(), b.data());
    a.resize(kPoints);
    return a;
}

} // namespace

QImage CFirHelpDlg::WindowComparison(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect plot(50, 20, width - 180, height - 60);
    p.setPen(QColor(210, 210, 210));
    for (double db = kTopDb - 10; db >= kBottomDb; db -= 20) {
        const int y = plot.top() + int((kTopDb - db) / (kTopDb - kBottomDb) * plot.height());
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(Qt::black);
        p.drawText(QRect(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1dB").arg(db));
        p.setPen(QColor(210, 210, 210));
    }
    p.setPen(Qt::black);
    p.drawRect(plot);
    p.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), 18), Qt::AlignLeft,
               QStringLiteral("0"));
    p.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), 18), Qt::AlignRight,
               QStringLiteral("π"));
    p.drawText(QRect(plot.left(), plot.bottom() + 20, plot.width(), 18), Qt::AlignHCenter,
               QStringLiteral("ω (LPF %1 taps, fc = 0.2π)").arg(kTaps));

    struct Curve {
        const char* name;
        QColor colour;
        std::vector<double> h;
    };
    std::vector<Curve> curves;
    const char* names[] = {"Rectangular", "Bartlett", "BlackmanOpt", "Hamming", "Hanning"};
    const QColor colours[] = {Qt::red, QColor(255, 140, 0), Qt::blue, QColor(0, 150, 0),
                              Qt::magenta};
    for (int w = 0; w < 5; ++w) {
        std::vector<double> h(kTaps);
        DesignWindowFir(shape::LowPass, w, kTaps, 0.1, 0.0, 1.0, h.data());
        curves.push_back({names[w], colours[w], h});
    }
    KaiserFir kaiser;
    const int n = kaiser.DesignLowpass(2.0f, 0.15f, 0.25f, 60.0f);
    std::vector<double> hk(static_cast<std::size_t>(n));
    kaiser.CopyTaps(hk.data());
    curves.push_back({"Kaiser(60dB)", Qt::black, hk});

    int legendY = plot.top();
    for (const Curve& c : curves) {
        const auto a = Response(c.h);
        QPolygonF line;
        for (int i = 0; i < kPoints; ++i) {
            const double db =
                std::clamp(20.0 * std::log10(std::max<double>(a[i], 1e-12)), kBottomDb, kTopDb);
            line << QPointF(plot.left() + double(i) / (kPoints - 1) * plot.width(),
                            plot.top() + (kTopDb - db) / (kTopDb - kBottomDb) * plot.height());
        }
        p.setPen(QPen(c.colour, 1.5));
        p.drawPolyline(line);
        p.drawLine(plot.right() + 10, legendY + 8, plot.right() + 30, legendY + 8);
        p.setPen(Qt::black);
        p.drawText(plot.right() + 34, legendY + 13, QString::fromUtf8(c.name));
        legendY += 20;
    }
    return image;
}

CFirHelpDlg::CFirHelpDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("FIRﾌｨﾙﾀｰの特徴"));
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(WindowComparison(560, 320)));
    auto* note = new QLabel(QStringLiteral("注)最高周波数はπで正規化している\n"
                                           "　ｶｲｻﾞｰ窓は遷移帯域幅、減衰量の設定可能"));
    note->setObjectName(QStringLiteral("note"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(note);
    layout->addWidget(buttons);
}
