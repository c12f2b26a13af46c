#include "app/dialogs/CVersionInfoDlg.h"

#include "document/DocumentUi.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTextEdit>

#include <unistd.h>

const char* const CVersionInfoDlg::kWebAddress = "https://sonalyx.example.org/";

namespace {
const char* const kReleaseNote =
    "Sonalyx Ver1.1 の主な追加機能\r\n"
    "・ｵｰﾃﾞｨｵ測定(周波数特性、歪率、S/N、ﾀﾞｲﾅﾐｯｸﾚﾝｼﾞ、IM歪、ｸﾛｽﾄｰｸ)を一度に測定\r\n"
    "・仮想真空管ｱﾝﾌﾟ(真空管ﾃﾞｰﾀｰのCSV読み込み、動作点の設定)\r\n"
    "・ｿﾌﾄｳｪｱ無線(AM/DSB/SSBの変復調)\r\n"
    "・適応(LMS)ﾌｨﾙﾀｰと自在ﾌｨﾙﾀｰのﾘｱﾙﾀｲﾑ処理\r\n"
    "・Cascade IIRﾌｨﾙﾀｰの設計とOPｱﾝﾌﾟによる素子定数の計算\r\n"
    "・RS232CによるdsPICﾎﾞｰﾄﾞへのﾌｨﾙﾀｰ係数転送\r\n"
    "・3Dｽﾍﾟｸﾄﾙ表示の周波数軸をLinear/Logで選択";
} // namespace

std::optional<unsigned long> TotalPhysicalMemoryKb() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return std::nullopt;
    return static_cast<unsigned long>(static_cast<unsigned long long>(pages) *
                                      static_cast<unsigned long long>(pageSize) / 1024ULL);
}

QString PhysicalMemoryText(std::optional<unsigned long> totalKb) {
    QString text = QString::fromUtf8("物理ﾒﾓﾘｰ容量：");
    if (totalKb)
        text += QString::asprintf("%lu KB", *totalKb);
    else
        text += QStringLiteral("Unavailable");
    return text;
}

QString FreeDiskText(std::optional<unsigned long> freeKb, const QString& mountPoint) {
    QString text = QString::fromUtf8("空きﾃﾞｨｽｸ容量：");
    if (freeKb)
        text += QString::asprintf("%lu KB Free on ", *freeKb) + mountPoint;
    else
        text += QStringLiteral("Unavailable");
    return text;
}

CVersionInfoDlg::CVersionInfoDlg(IDocumentUi& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_product(new QLabel(this)), m_memory(new QLabel(this)),
      m_disk(new QLabel(this)) {
    setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(Sonalyx)"));

    m_product->setText(QString::fromUtf8("Sonalyx：1.1"));
    QFont big = m_product->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_product->setFont(big);

    auto* note = new QTextEdit(this);
    note->setReadOnly(true);
    note->setPlainText(QString::fromUtf8(kReleaseNote));
    note->setMinimumSize(420, 140);

    m_memory->setText(PhysicalMemoryText(TotalPhysicalMemoryKb()));

    const QStorageInfo storage(QDir::currentPath());
    std::optional<unsigned long> freeKb;
    if (storage.isValid() && storage.isReady() && storage.bytesAvailable() >= 0)
        freeKb = static_cast<unsigned long>(storage.bytesAvailable() / 1024);
    m_disk->setText(FreeDiskText(freeKb, storage.rootPath()));

    auto* web = new QTextEdit(this);
    web->setReadOnly(true);
    web->setHtml(QStringLiteral("<span style=\"color:#0000ff\">%1</span>")
                     .arg(QString::fromUtf8(kWebAddress).toHtmlEscaped()));
    web->setFixedHeight(web->fontMetrics().height() * 2);
    web->setObjectName(QStringLiteral("WebAddress"));

    auto* hp = new QPushButton(QStringLiteral("hp"), this);
    hp->setObjectName(QStringLiteral("hp"));
    connect(hp, &QPushButton::clicked, this, &CVersionInfoDlg::OnHomePage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_product, 0, 0, 1, 2);
    layout->addWidget(note, 1, 0, 1, 2);
    layout->addWidget(m_memory, 2, 0, 1, 2);
    layout->addWidget(m_disk, 3, 0, 1, 2);
    layout->addWidget(web, 4, 0);
    layout->addWidget(hp, 4, 1);
    layout->addWidget(buttons, 5, 0, 1, 2);
}

QString CVersionInfoDlg::ProductText() const {
    return m_product->text();
}
QString CVersionInfoDlg::MemoryText() const {
    return m_memory->text();
}
QString CVersionInfoDlg::DiskText() const {
    return m_disk->text();
}

void CVersionInfoDlg::OnHomePage() {
    if (!m_ui.OpenWithSystem(kWebAddress))
        m_ui.ShowMessage("ｲﾝﾀｰﾈｯﾄｴｸｽﾌﾟﾛｰﾗを開けませんでした！", MessageIcon::Error);
}
