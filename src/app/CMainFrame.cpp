#include "app/CMainFrame.h"

#include "app/CQtDocumentUi.h"
#include "document/CKymoDoc.h"

CMainFrame::CMainFrame()
    : m_ui(std::make_unique<CQtDocumentUi>(this)), m_doc(std::make_unique<CKymoDoc>(*m_ui)) {
    setWindowTitle(QStringLiteral("Sonalyx"));
    resize(800, 600);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OpenDocumentFile(const QString& path) {
    return m_doc->OnOpenDocument(path.toStdString());
}
