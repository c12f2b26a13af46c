#include "app/CKymoApp.h"

#include "app/CMainFrame.h"

CKymoApp::CKymoApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromUtf8("ｹﾙﾄﾝｸﾞﾙｰﾌﾟ"));
    setApplicationName(QStringLiteral("Sonalyx"));
}

CKymoApp::~CKymoApp() = default;

bool CKymoApp::InitInstance() {
    m_frame = std::make_unique<CMainFrame>();
    const QStringList args = arguments();
    if (args.size() > 1 && !m_frame->OpenDocumentFile(args.at(1))) return false;
    m_frame->show();
    return true;
}
