#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;
struct MenuItem;

// One QAction per command id, shared by every menu and toolbar place of that id, built from the
// menu and toolbar data of resources/MenuLayout.h. Triggering an action calls `onTriggered`
// with its id; the owner decides what runs and refreshes enabling and check marks.
class CCommandActions : public QObject {
    Q_OBJECT
public:
    CCommandActions(QWidget* owner, std::function<void(int)> onTriggered);

    // The action of `id`, created on first use with its text, prompt, shortcuts and icon.
    QAction* Action(int id);
    // The action of `id`, or nullptr when no menu or toolbar place uses it.
    QAction* FindAction(int id) const;
    const std::map<int, QAction*>& Actions() const { return m_actions; }

    void BuildMenuBar(QMenuBar& bar);
    void BuildToolBar(QToolBar& bar);

    // Shows `files` (at most four, most recent first) as the recent-file entries.
    void SetRecentFiles(const QStringList& files);

    // Every popup built, submenus included. aboutToShow of each is reported by MenuAboutToShow.
    const std::vector<QMenu*>& Menus() const { return m_menus; }

signals:
    void MenuAboutToShow();

private:
    void AddItems(QMenu& menu, const std::vector<MenuItem>& items);
    QMenu* AddPopup(QWidget& parent, const MenuItem& popup);

    QWidget* m_owner;
    std::function<void(int)> m_onTriggered;
    std::map<int, QAction*> m_actions;
    std::vector<QMenu*> m_menus;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentEmpty = nullptr;
};

// True for commands whose menu item can carry a check mark.
bool IsCheckCommand(int id);
