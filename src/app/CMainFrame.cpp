#include "app/CMainFrame.h"

#include "app/AppCommands.h"
#include "app/CKymoView.h"
#include "app/CMainStatusBar.h"
#include "app/CQtDocumentUi.h"
#include "app/CommandActions.h"
#include "app/FrameSettings.h"
#include "app/ToolbarIcons.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DocMessages.h"
#include "document/SavePath.h"
#include "resources/CommandTexts.h"
#include "resources/MenuLayout.h"
#include "sound/qt/CAppSound.h"
#include "sound/qt/SoundSettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {
const char* const kWavFilter = "波形データー(*.wav)|*.wav|すべてのﾌｧｲﾙ (*.*)|*.*||";
} // namespace

CMainFrame::CMainFrame(IDocumentUi* ui) {
    if (!ui) {
        m_ownUi = std::make_unique<CQtDocumentUi>(this);
        ui = m_ownUi.get();
    }
    m_pUi = ui;
    m_sound = std::make_unique<CAppSound>(this);
    m_doc = std::make_unique<CKymoDoc>(*m_pUi, &m_sound->Player());
    m_doc->SetProgramDirectory(QCoreApplication::applicationDirPath().toStdString());
    setObjectName(QStringLiteral("MainFrame"));
    resize(1024, 720);

    m_actions = new CCommandActions(this, [this](int id) { OnCommand(id); });
    m_actions->BuildMenuBar(*menuBar());
    connect(m_actions, &CCommandActions::MenuAboutToShow, this, &CMainFrame::UpdateCommandStates);

    m_toolBar = new QToolBar(QString::fromUtf8("ﾂｰﾙ ﾊﾞｰ"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(kToolbarButtonWidth, kToolbarButtonHeight));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_actions->BuildToolBar(*m_toolBar);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    m_statusBar = new CMainStatusBar(this);
    setStatusBar(m_statusBar);

    m_view = new CKymoView(*m_doc, this);
    setCentralWidget(m_view);
    m_doc->SetUpdateListener([this] { OnDocumentUpdated(); });

    const auto settings = OpenAppSettings();
    m_bStartMaximized = RestoreFrameState(*this, *settings);
    m_recent.Load(*settings);
    LoadSoundSettings(*m_doc, *settings);
    m_sound->Load(*settings);
    RefreshRecentMenu();
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    // The view reads the document while it is destroyed with the window's children.
    m_doc->SetUpdateListener(nullptr);
    delete m_view;
    m_view = nullptr;
}

QAction* CMainFrame::CommandAction(int id) const {
    return m_actions->FindAction(id);
}

CommandState CMainFrame::GetState(int id) const {
    using namespace cmd;
    switch (id) {
    case ID_VIEW_TOOLBAR:
        return {true, !m_toolBar->isHidden()};
    case ID_VIEW_STATUS_BAR:
        return {true, !m_statusBar->isHidden()};
    default:
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount)
            return {id - ID_FILE_MRU_FILE1 < m_recent.Files().size()};
        return GetCommandState(*m_doc, id);
    }
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions->Actions()) {
        const CommandState state = GetState(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
}

void CMainFrame::OnCommand(int id) {
    UpdateCommandStates();
    if (GetState(id).enabled) {
        if (const AppCommandHandler* handler = FindAppCommand(id)) {
            AppCommandContext ctx{*this, *m_doc, this};
            if (!RunCommandGuarded(*m_pUi, [&] { (*handler)(ctx); })) m_doc->UpdateAllViews();
        } else {
            m_pUi->ShowMessage(NotBuiltMessage(id), MessageIcon::Information);
        }
    }
    UpdateCommandStates();
}

void CMainFrame::OnDocumentUpdated() {
    if (m_view) m_view->OnUpdate();
    UpdateTitle();
    UpdateCommandStates();
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    bool opened = false;
    RunCommandGuarded(*m_pUi, [&] { opened = m_doc->OnOpenDocument(path.toStdString()); });
    if (!opened) {
        UpdateTitle();
        UpdateCommandStates();
        return false;
    }
    m_bUntitled = false;
    m_recent.Add(path);
    RefreshRecentMenu();
    UpdateTitle();
    UpdateCommandStates();
    return true;
}

void CMainFrame::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recent.Files().size()) return;
    const QString path = m_recent.Files().at(index);
    if (!OpenDocumentFile(path)) {
        m_recent.Remove(index);
        RefreshRecentMenu();
    }
}

bool CMainFrame::SaveDocument(bool askName) {
    std::string path = m_bUntitled ? std::string() : m_doc->m_strPathName;
    // A wave replaced by down-sampling does not overwrite its source without asking.
    if (!askName && !path.empty() && m_doc->m_bWaveReplaced &&
        !m_pUi->AskYesNo(path + msg::kOverwriteReplaced))
        askName = true;
    if (askName || path.empty()) {
        const auto chosen = AskSavePath(*m_pUi, "名前を付けて保存", kWavFilter, {".wav"}, ".wav",
                                        msg::kWavExtension);
        if (!chosen) return false;
        path = *chosen;
    }
    if (!m_doc->OnSaveDocument(path)) return false;
    m_bUntitled = false;
    m_recent.Add(QString::fromStdString(path));
    RefreshRecentMenu();
    UpdateTitle();
    return true;
}

void CMainFrame::OnFileNew() {
    m_bUntitled = true;
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    QString name = m_bUntitled || m_doc->m_strPathName.empty()
                       ? QStringLiteral("Analyzer")
                       : QFileInfo(QString::fromStdString(m_doc->m_strPathName)).fileName();
    if (m_doc->m_bWaveReplaced && m_doc->HasWave())
        name += QString::fromUtf8(" [ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ後 %1Hz]").arg(m_doc->m_nSamplesPerSec);
    setWindowTitle(name + QStringLiteral(" - Sonalyx"));
}

void CMainFrame::RefreshRecentMenu() {
    m_actions->SetRecentFiles(m_recent.Files());
    const auto settings = OpenAppSettings();
    m_recent.Save(*settings);
}

void CMainFrame::ShowWithPlacement() {
    if (m_bStartMaximized)
        showMaximized();
    else
        show();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const auto settings = OpenAppSettings();
    SaveFrameState(*this, *settings);
    m_recent.Save(*settings);
    SaveSoundSettings(*m_doc, *settings);
    m_sound->Save(*settings);
    m_doc->OnStopPlay();
    event->accept();
}
