#include "app/CStartupBanner.h"

#include "app/AppFont.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtMath>

namespace {
bool s_bEnabled = true;
CStartupBanner* s_pBanner = nullptr;
} // namespace

void CStartupBanner::EnableBanner(bool enable) {
    s_bEnabled = enable;
}

bool CStartupBanner::IsBannerEnabled() {
    return s_bEnabled;
}

CStartupBanner* CStartupBanner::Instance() {
    return s_pBanner;
}

void CStartupBanner::ShowBanner(QWidget* mainWindow) {
    if (!s_bEnabled || s_pBanner) return;
    s_pBanner = new CStartupBanner(mainWindow);
    s_pBanner->show();
}

CStartupBanner::CStartupBanner(QWidget* mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(BannerPicture()), m_mainWindow(mainWindow), m_timer(new QTimer(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CStartupBanner::CloseBanner);
    m_timer->start(kShowMilliseconds);
    qApp->installEventFilter(this);
}

CStartupBanner::~CStartupBanner() {
    if (qApp) qApp->removeEventFilter(this);
    if (s_pBanner == this) s_pBanner = nullptr;
}

void CStartupBanner::CloseBanner() {
    m_timer->stop();
    qApp->removeEventFilter(this);
    if (s_pBanner == this) s_pBanner = nullptr;
    hide();
    if (m_mainWindow) m_mainWindow->update();
    deleteLater();
}

bool CStartupBanner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        CloseBanner();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CStartupBanner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

QPixmap CStartupBanner::BannerPicture() {
    const int w = 460, h = 260;
    QPixmap pixmap(w, h);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(10, 30, 90));
    sky.setColorAt(1.0, QColor(0, 110, 150));
    p.fillRect(pixmap.rect(), sky);

    // A spectrum of bars and a decaying wave across the lower half.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 44; ++i) {
        const double level = 0.5 + 0.45 * qSin(i * 0.37) * qExp(-i / 40.0) + 0.05 * (i % 3);
        const int bar = static_cast<int>(90 * level);
        p.setBrush(QColor::fromHsv((200 + i * 3) % 360, 160, 230, 150));
        p.drawRect(20 + i * 10, h - 20 - bar, 7, bar);
    }
    QPainterPath wave;
    for (int x = 0; x <= w - 40; ++x) {
        const double y = h - 110 - 45 * qExp(-x / 220.0) * qSin(x / 9.0);
        if (x == 0)
            wave.moveTo(20 + x, y);
        else
            wave.lineTo(20 + x, y);
    }
    p.setPen(QPen(QColor(255, 230, 120), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);

    QFont title(JapaneseUiFamily());
    title.setPixelSize(48);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 18, w, 60), Qt::AlignCenter, QStringLiteral("Sonalyx"));

    QFont sub(JapaneseUiFamily());
    sub.setPixelSize(16);
    p.setFont(sub);
    p.drawText(QRect(0, 78, w, 24), Qt::AlignCenter,
               QString::fromUtf8("波形解析・ﾃﾞｨｼﾞﾀﾙ信号処理ﾜｰｸﾍﾞﾝﾁ"));
    sub.setPixelSize(13);
    p.setFont(sub);
    p.drawText(QRect(0, 102, w, 20), Qt::AlignCenter, QString::fromUtf8("Version 1.1  ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"));

    p.setPen(QPen(QColor(255, 255, 255, 180), 1));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}
