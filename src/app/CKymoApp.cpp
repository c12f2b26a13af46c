#include "app/CKymoApp.h"

#include "app/AppFont.h"
#include "app/CMainFrame.h"
#include "app/CStartupBanner.h"

CKymoApp::CKymoApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromUtf8("ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"));
    setApplicationName(QStringLiteral("Sonalyx"));
    setApplicationVersion(QStringLiteral("1.1"));
    ApplyJapaneseUiFont();
}

CKymoApp::~CKymoApp() = default;

bool CKymoApp::InitInstance() {
    QString file;
    bool banner = true;
    const QStringList args = arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--no-banner"))
            banner = false;
        else if (file.isEmpty())
            file = arg;
    }
    CStartupBanner::EnableBanner(banner);

    m_frame = std::make_unique<CMainFrame>();
    CStartupBanner::ShowBanner(m_frame.get());
    if (!file.isEmpty() && !m_frame->OpenDocumentFile(file)) return false;
    m_frame->ShowWithPlacement();
    return true;
}
