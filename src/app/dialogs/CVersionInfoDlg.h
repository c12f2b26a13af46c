#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class IDocumentUi;
class QLabel;
class QTextEdit;

// "ﾊﾞｰｼﾞｮﾝ情報(Sonalyx)": product and version, a release note, the physical memory, the free
// disk space of the current directory's file system and the author's web address, which the
// "hp" button opens in the system's web browser.
class CVersionInfoDlg : public QDialog {
    Q_OBJECT
public:
    static const char* const kWebAddress;

    CVersionInfoDlg(IDocumentUi& ui, QWidget* parent = nullptr);

    QString ProductText() const;
    QString MemoryText() const;
    QString DiskText() const;
    // Opens the web address; a failure is reported with a message.
    void OnHomePage();

private:
    IDocumentUi& m_ui;
    QLabel* m_product;
    QLabel* m_memory;
    QLabel* m_disk;
};

// "物理ﾒﾓﾘｰ容量：" followed by the total physical memory as "%lu KB".
QString PhysicalMemoryText(std::optional<unsigned long> totalKb);
// "空きﾃﾞｨｽｸ容量：" followed by "%lu KB Free on <mount point>", or "Unavailable".
QString FreeDiskText(std::optional<unsigned long> freeKb, const QString& mountPoint);
// Total physical memory in KB, when the system reports it.
std::optional<unsigned long> TotalPhysicalMemoryKb();
