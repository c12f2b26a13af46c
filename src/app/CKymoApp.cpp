#include "app/CKymoApp.h"

#include "app/AppFont.h"
#include "app/CMainFrame.h"
#include "app/CStartupBanner.h"
#include "app/QtTranslations.h"

StartupArgs ParseStartupArgs(const QStringList& arguments) {
    StartupArgs args;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--no-banner"))
            args.showBanner = false;
        else if (args.file.isEmpty())
            args.file = arg;
    }
    return args;
}

CKymoApp::CKymoApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromUtf8("ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"));
    setApplicationName(QStringLiteral("Sonalyx"));
    setApplicationVersion(QStringLiteral("1.1"));
    ApplyJapaneseUiFont();
    InstallQtJapaneseTranslations(*this);
}

CKymoApp::~CKymoApp() = default;

bool CKymoApp::InitInstance() {
    const StartupArgs args = ParseStartupArgs(arguments());
    CStartupBanner::EnableBanner(args.showBanner);

    m_frame = std::make_unique<CMainFrame>();
    CStartupBanner::ShowBanner(m_frame.get());
    if (!args.file.isEmpty() && !m_frame->OpenDocumentFile(args.file)) return false;
    m_frame->ShowWithPlacement();
    return true;
}
