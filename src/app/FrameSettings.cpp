#include "app/FrameSettings.h"

#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>
#include <QStringList>

namespace {
const QString kWindowPosKey = QStringLiteral("Settings/WindowPos");
const QString kBarStateKey = QStringLiteral("ControlBars/State");
const QString kStatusBarKey = QStringLiteral("ControlBars/StatusBar");
} // namespace

std::unique_ptr<QSettings> OpenAppSettings() {
    return std::make_unique<QSettings>(QString::fromUtf8("ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"), QStringLiteral("Sonalyx"));
}

std::optional<WindowPlacement> ParseWindowPos(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 10) return std::nullopt;
    WindowPlacement placement;
    for (int i = 0; i < 10; ++i) {
        bool ok = false;
        placement.values[static_cast<std::size_t>(i)] = parts.at(i).trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    return placement;
}

QString FormatWindowPos(const WindowPlacement& placement) {
    QStringList parts;
    for (int v : placement.values) parts << QString::number(v);
    return parts.join(QLatin1Char(':'));
}

WindowPlacement CapturePlacement(const QMainWindow& window) {
    const QRect normal =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    WindowPlacement p;
    int flags = 0;
    int show = WindowPlacement::kShowNormal;
    if (window.isMaximized()) {
        flags |= WindowPlacement::kRestoreToMaximized;
        show = WindowPlacement::kShowMaximized;
    } else if (window.isMinimized()) {
        show = WindowPlacement::kShowMinimized;
    }
    p.values = {flags,
                show,
                -1,
                -1,
                -1,
                -1,
                normal.left(),
                normal.top(),
                normal.left() + normal.width(),
                normal.top() + normal.height()};
    return p;
}

bool RestoreFrameState(QMainWindow& window, QSettings& settings) {
    bool maximized = false;
    if (const auto placement = ParseWindowPos(settings.value(kWindowPosKey).toString())) {
        const int width = placement->Right() - placement->Left();
        const int height = placement->Bottom() - placement->Top();
        if (width > 0 && height > 0)
            window.setGeometry(placement->Left(), placement->Top(), width, height);
        maximized = (placement->Flags() & WindowPlacement::kRestoreToMaximized) != 0;
    }
    const QByteArray state = settings.value(kBarStateKey).toByteArray();
    if (!state.isEmpty()) window.restoreState(state);
    if (settings.contains(kStatusBarKey) && window.statusBar())
        window.statusBar()->setVisible(settings.value(kStatusBarKey).toBool());
    return maximized;
}

void SaveFrameState(const QMainWindow& window, QSettings& settings) {
    settings.setValue(kWindowPosKey, FormatWindowPos(CapturePlacement(window)));
    settings.setValue(kBarStateKey, window.saveState());
    if (window.statusBar()) settings.setValue(kStatusBarKey, !window.statusBar()->isHidden());
}
