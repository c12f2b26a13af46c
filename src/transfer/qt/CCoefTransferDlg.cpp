#include "transfer/qt/CCoefTransferDlg.h"

#include "document/CKymoDoc.h"
#include "sound/qt/PanelWidgets.h"
#include "transfer/CoefTransfer.h"
#include "transfer/serial/CQSerialLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCoefTransferDlg::CCoefTransferDlg(CKymoDoc& doc, TransferSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings),
      m_transfer(std::make_unique<CCoefTransfer>(doc.Ui(), settings)) {
    setWindowTitle(QStringLiteral("RS232C⇒FPGA/DSP..."));
    m_port = new QComboBox;
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setEditable(true);
    for (int i = 1; i <= transferlimits::kPorts; ++i)
        m_port->addItem(QStringLiteral("COM%1").arg(i));
    m_port->setCurrentIndex(settings.comPort);
    m_baud = new QComboBox;
    m_baud->setObjectName(QStringLiteral("baud"));
    for (int i = 0; i < transferlimits::kBaudRates; ++i)
        m_baud->addItem(QString::number(BaudRateOfIndex(i)));
    m_baud->setCurrentIndex(settings.baudIndex);
    m_format = new QComboBox;
    m_format->setObjectName(QStringLiteral("format"));
    for (int i = 0; i < coefformat::Count; ++i)
        m_format->addItem(QString::fromUtf8(CoefFormatName(i)));
    m_format->setCurrentIndex(settings.coefFormat);
    m_echo = new QCheckBox(QString::fromUtf8("送信確認する"));
    m_echo->setObjectName(QStringLiteral("echo"));
    m_echo->setChecked(true);
    m_status = new QPlainTextEdit;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setReadOnly(true);
    m_status->setFixedSize(260, 110);

    QPushButton* load = MakePanelButton(QStringLiteral("Load"), QStringLiteral("load"));
    QPushButton* tx = MakePanelButton(QStringLiteral("Tx"), QStringLiteral("tx"));
    QPushButton* run = MakePanelButton(QStringLiteral("Run"), QStringLiteral("run"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port"), m_port);
    form->addRow(QStringLiteral("BaudRate"), m_baud);
    form->addRow(QStringLiteral("Format"), m_format);
    form->addRow(QString(), m_echo);
    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(tx);
    row->addWidget(run);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(m_status);
    all->addLayout(row);
    all->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_echo, &QCheckBox::toggled, this, [this](bool on) { m_transfer->SetEchoCheck(on); });
    connect(m_baud, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int i) { m_transfer->SetBaudIndex(i); });
    connect(m_format, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int i) { m_transfer->SetFormat(i); });
    connect(load, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("CoefData(*.csv)"));
        if (path.isEmpty()) return;
        m_transfer->LoadFile(path.toStdString());
        ShowStatus();
    });
    connect(tx, &QPushButton::clicked, this, [this] {
        TakePort();
        CQSerialLine line;
        m_transfer->OnTx(line);
        ShowStatus();
    });
    connect(run, &QPushButton::clicked, this, [this] {
        TakePort();
        CQSerialLine line;
        m_transfer->OnRun(line);
        ShowStatus();
    });
    ShowStatus();
}

CCoefTransferDlg::~CCoefTransferDlg() = default;

void CCoefTransferDlg::Preload(bool fir, const std::vector<double>& values) {
    m_transfer->Preload(fir, values);
    ShowStatus();
}

void CCoefTransferDlg::TakePort() {
    const QString text = m_port->currentText();
    const int index = m_port->findText(text);
    if (index >= 0)
        m_transfer->SetPort(index);
    else
        m_transfer->SetPort(m_transfer->Settings().comPort, text.toStdString());
}

void CCoefTransferDlg::ShowStatus() {
    m_status->setPlainText(QString::fromStdString(m_transfer->Status()));
}

void CCoefTransferDlg::accept() {
    TakePort();
    m_settings = m_transfer->Settings();
    QDialog::accept();
}
