#pragma once

#include <QStatusBar>

class QLabel;

// The main window's status bar: the message pane (command prompts while a menu item or toolbar
// button is highlighted, "ﾚﾃﾞｨ" otherwise), then the indicator panes "ｶﾅ", "CAP", "NUM", "SCRL".
class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent = nullptr);

    // The text the message pane shows now.
    QString MessageText() const;
    // The indicator panes, left to right.
    QList<QLabel*> Indicators() const { return m_indicators; }

private:
    QLabel* m_idle;
    QList<QLabel*> m_indicators;
};
