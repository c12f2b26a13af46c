#include "app/CQtDocumentUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

QString ToQtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts.at(i);
    return names.join(QStringLiteral(";;"));
}

void CQtDocumentUi::ShowMessage(const std::string& text, MessageIcon icon) {
    ShowCaptionedMessage("Sonalyx", text, icon);
}

void CQtDocumentUi::ShowCaptionedMessage(const std::string& caption, const std::string& text,
                                         MessageIcon icon) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::None:
        break;
    }
    box.exec();
}

bool CQtDocumentUi::AskYesNo(const std::string& text) {
    return QMessageBox::question(m_parent, QStringLiteral("Sonalyx"),
                                 QString::fromStdString(text)) == QMessageBox::Yes;
}

std::optional<std::string> CQtDocumentUi::AskSaveFileName(const std::string& title,
                                                          const std::string& filter) {
    const QString path = QFileDialog::getSaveFileName(m_parent, QString::fromStdString(title),
                                                      QString(), ToQtFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> CQtDocumentUi::AskOpenFileName(const std::string& title,
                                                          const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(m_parent, QString::fromStdString(title),
                                                      QString(), ToQtFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

bool CQtDocumentUi::OpenWithSystem(const std::string& pathOrUrl) {
    const QString s = QString::fromStdString(pathOrUrl);
    const QUrl url = QFileInfo::exists(s) ? QUrl::fromLocalFile(s) : QUrl(s);
    return QDesktopServices::openUrl(url);
}

bool CQtDocumentUi::StartProgram(const std::string& program) {
    return QProcess::startDetached(QString::fromStdString(program), {});
}

void CQtDocumentUi::SetWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool CQtDocumentUi::ReportProgress(long long, long long) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}
