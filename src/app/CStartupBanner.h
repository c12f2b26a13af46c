#pragma once

#include <QWidget>

class QTimer;

// The start-up banner: a borderless popup with the banner picture, centred on the screen. It
// closes itself after 4000 ms, or at once on any key or mouse-button press anywhere in the
// application (an application event filter). At most one exists at a time.
class CStartupBanner : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 4000;

    // Whether ShowBanner may show a banner; set from the command line at start-up.
    static void EnableBanner(bool enable);
    static bool IsBannerEnabled();
    // Shows the banner when enabled and none exists; `mainWindow` is repainted when it closes.
    static void ShowBanner(QWidget* mainWindow);
    // The banner on the screen, or nullptr.
    static CStartupBanner* Instance();

    // The banner picture, drawn in code.
    static QPixmap BannerPicture();

    // Hides and destroys the banner.
    void CloseBanner();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CStartupBanner(QWidget* mainWindow);
    ~CStartupBanner() override;

    QPixmap m_picture;
    QWidget* m_mainWindow;
    QTimer* m_timer;
};
