#include "sound/qt/CSoundDeviceDlg.h"

#include "document/DocumentUi.h"
#include "sound/devices/VirtualSoundCard.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kVirtual = "virtual";

// What is stored for a hardware device: its name when no other device has it, else its index.
std::string DeviceKey(const SoundDeviceInfo& d, const std::vector<SoundDeviceInfo>& devices) {
    int same = 0;
    for (const auto& other : devices)
        if (other.name == d.name) ++same;
    return same == 1 ? d.name : std::to_string(d.index);
}

QString DeviceLabel(const SoundDeviceInfo& d) {
    return QStringLiteral("#%1 %2  [%3]  入力%4ch / 出力%5ch  %6Hz")
        .arg(d.index)
        .arg(QString::fromStdString(d.name), QString::fromStdString(d.hostApi))
        .arg(d.maxInputChannels)
        .arg(d.maxOutputChannels)
        .arg(d.defaultSampleRate);
}

QListWidgetItem* AddEntry(QListWidget* list, const QString& label, const std::string& key) {
    auto* item = new QListWidgetItem(label, list);
    item->setData(Qt::UserRole, QString::fromStdString(key));
    return item;
}

} // namespace

CSoundDeviceDlg::CSoundDeviceDlg(const SoundDeviceChoice& stored,
                                 const std::vector<SoundDeviceInfo>& devices,
                                 const std::string& overrideDevice, IDocumentUi& ui,
                                 QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    setWindowTitle(QStringLiteral("サウンドデバイスの選択"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("devices"));
    AddEntry(m_list, QStringLiteral("仮想サウンドカード (virtual)"), kVirtual);
    AddEntry(m_list, QStringLiteral("システムの既定のデバイス"), "");
    for (const auto& d : devices) AddEntry(m_list, DeviceLabel(d), DeviceKey(d, devices));

    // The stored device, also when it is not present now.
    int row = -1;
    for (int i = 0; i < m_list->count() && row < 0; ++i) {
        const std::string key = m_list->item(i)->data(Qt::UserRole).toString().toStdString();
        if (key == stored.device) row = i;
    }
    // A device stored by its index (its name was not unique); entries 2 .. follow `devices`.
    for (std::size_t i = 0; i < devices.size() && row < 0; ++i)
        if (std::to_string(devices[i].index) == stored.device) row = static_cast<int>(i) + 2;
    if (row < 0) {
        AddEntry(
            m_list,
            QStringLiteral("%1 (現在見つかりません)").arg(QString::fromStdString(stored.device)),
            stored.device);
        row = m_list->count() - 1;
    }
    m_list->setCurrentRow(row);

    m_dut = new QLineEdit(QString::fromStdString(stored.dut));
    m_dut->setObjectName(QStringLiteral("dut"));
    m_dut->setMinimumWidth(420);
    m_override = new QLabel;
    m_override->setObjectName(QStringLiteral("override"));
    m_override->setWordWrap(true);
    if (!overrideDevice.empty()) {
        m_override->setText(
            QStringLiteral(
                "環境変数 %1=%2 が設定されているため、このセッションでは「%2」が使われます。"
                "ここでの選択は保存され、環境変数がないときに使われます。")
                .arg(QString::fromUtf8(kAudioDeviceVariable),
                     QString::fromStdString(overrideDevice)));
    }
    m_override->setVisible(!overrideDevice.empty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSoundDeviceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelection(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("測定と再生に使うサウンドカード")));
    layout->addWidget(m_list);
    layout->addWidget(new QLabel(
        QStringLiteral("仮想サウンドカードの接続 (DUTテキスト: in1=, in2=, src=, dut1=, dut2=, "
                       "leak=, latency=, fault=)")));
    layout->addWidget(m_dut);
    layout->addWidget(m_override);
    layout->addWidget(buttons);
    OnSelection();
}

void CSoundDeviceDlg::OnSelection() {
    m_dut->setEnabled(Choice().IsVirtual());
}

SoundDeviceChoice CSoundDeviceDlg::Choice() const {
    SoundDeviceChoice choice;
    if (const QListWidgetItem* item = m_list->currentItem())
        choice.device = item->data(Qt::UserRole).toString().toStdString();
    choice.dut = m_dut->text().toStdString();
    return choice;
}

void CSoundDeviceDlg::accept() {
    const SoundDeviceChoice choice = Choice();
    if (choice.IsVirtual()) {
        std::string error;
        if (!CVirtualSoundCard::Create(choice.dut, VirtualClock::Fast, error)) {
            m_ui.ShowMessage(error, MessageIcon::Warning);
            m_dut->setFocus();
            return;
        }
    }
    QDialog::accept();
}
