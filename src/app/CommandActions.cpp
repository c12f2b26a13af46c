#include "app/CommandActions.h"

#include "app/ToolbarIcons.h"
#include "document/CommandIds.h"
#include "document/CommandRules.h"
#include "resources/CommandTexts.h"
#include "resources/MenuLayout.h"

#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

bool IsCheckCommand(int id) {
    using namespace cmd;
    switch (id) {
    case ID_CHANNEL_1:
    case ID_CHANNEL_2:
    case ID_CHANNEL_BOTH:
    case ID_VIEW_REAL_IMAGE:
    case ID_VIEW_MAG_PHASE:
    case ID_VIEW_LOG_MAG:
    case ID_VIEW_COHERENCE:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
        return true;
    default:
        return FirTypeForCommand(id) >= 0 || IirTypeForCommand(id) >= 0;
    }
}

CCommandActions::CCommandActions(QWidget* owner, std::function<void(int)> onTriggered)
    : QObject(owner), m_owner(owner), m_onTriggered(std::move(onTriggered)) {}

QAction* CCommandActions::FindAction(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* CCommandActions::Action(int id) {
    if (QAction* existing = FindAction(id)) return existing;

    auto* action = new QAction(m_owner);
    const char* text = FindMenuText(id);
    const char* prompt = CommandPrompt(id);
    const QString promptText = prompt ? QString::fromUtf8(prompt) : QString();
    action->setText(text ? QString::fromUtf8(text) : promptText);
    action->setStatusTip(promptText);
    action->setToolTip(promptText.isEmpty() ? action->text() : promptText);
    action->setData(id);
    action->setCheckable(IsCheckCommand(id));
    action->setIconVisibleInMenu(false);
    const QIcon icon = MakeToolbarIcon(id);
    if (!icon.isNull()) action->setIcon(icon);
    m_owner->addAction(action); // shortcuts work even while menus are closed
    connect(action, &QAction::triggered, this, [this, id] { m_onTriggered(id); });
    m_actions.emplace(id, action);
    return action;
}

QMenu* CCommandActions::AddPopup(QWidget& parent, const MenuItem& popup) {
    auto* menu = new QMenu(QString::fromUtf8(popup.text), &parent);
    m_menus.push_back(menu);
    connect(menu, &QMenu::aboutToShow, this, &CCommandActions::MenuAboutToShow);
    AddItems(*menu, popup.children);
    return menu;
}

void CCommandActions::AddItems(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu.addSeparator();
            break;
        case MenuItem::Kind::Popup:
            menu.addMenu(AddPopup(menu, item));
            break;
        case MenuItem::Kind::Command: {
            QAction* action = Action(item.id);
            QList<QKeySequence> keys;
            for (const char* key : item.shortcuts)
                keys << QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText);
            if (!keys.isEmpty()) action->setShortcuts(keys);
            menu.addAction(action);
            break;
        }
        case MenuItem::Kind::RecentFiles: {
            m_recentEmpty = menu.addAction(QString::fromUtf8(item.text));
            m_recentEmpty->setEnabled(false);
            for (int i = 0; i < kRecentFileCount; ++i) {
                QAction* action = Action(item.id + i);
                action->setVisible(false);
                menu.addAction(action);
                m_recentActions.push_back(action);
            }
            break;
        }
        }
    }
}

void CCommandActions::BuildMenuBar(QMenuBar& bar) {
    for (const MenuItem& popup : MainMenuLayout()) bar.addMenu(AddPopup(bar, popup));
}

void CCommandActions::BuildToolBar(QToolBar& bar) {
    for (int id : ToolbarLayout()) {
        if (id == kToolbarSeparator)
            bar.addSeparator();
        else
            bar.addAction(Action(id));
    }
}

void CCommandActions::SetRecentFiles(const QStringList& files) {
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        const bool used = static_cast<qsizetype>(i) < files.size();
        action->setVisible(used);
        if (used) {
            QString shown = QDir::toNativeSeparators(files.at(static_cast<qsizetype>(i)));
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        }
    }
    if (m_recentEmpty) m_recentEmpty->setVisible(files.isEmpty());
}
