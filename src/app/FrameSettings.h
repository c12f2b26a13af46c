#pragma once

#include <QString>

#include <array>
#include <memory>
#include <optional>

class QMainWindow;
class QSettings;

// The program's settings store: organisation "ｹﾙﾄﾝｸﾞﾙｰﾌﾟ", application "Sonalyx".
std::unique_ptr<QSettings> OpenAppSettings();

// The window placement stored as "Settings"/"WindowPos": flags, show command, minimised x, y,
// maximised x, y, normal rectangle left, top, right, bottom.
struct WindowPlacement {
    static constexpr int kRestoreToMaximized = 2; // flags bit
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;

    std::array<int, 10> values{};

    int Flags() const { return values[0]; }
    int ShowCommand() const { return values[1]; }
    int Left() const { return values[6]; }
    int Top() const { return values[7]; }
    int Right() const { return values[8]; }
    int Bottom() const { return values[9]; }
};

// Exactly ten integers separated by ':'; anything else gives nothing.
std::optional<WindowPlacement> ParseWindowPos(const QString& text);
// "%i:%i:%i:%i:%i:%i:%i:%i:%i:%i".
QString FormatWindowPos(const WindowPlacement& placement);

// Placement of `window` now: its normal geometry, with the restore-to-maximised flag and the
// maximised show command when it is maximised.
WindowPlacement CapturePlacement(const QMainWindow& window);

// Reads "Settings"/"WindowPos" and the toolbar state and applies them to `window` (which is
// not shown yet). Returns true when the window should be shown maximised.
bool RestoreFrameState(QMainWindow& window, QSettings& settings);
// Writes the placement and the toolbar and status-bar state.
void SaveFrameState(const QMainWindow& window, QSettings& settings);
