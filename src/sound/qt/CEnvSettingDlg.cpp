#include "sound/qt/CEnvSettingDlg.h"

#include "sound/qt/PanelWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Radio labels: an ideographic space before each character.
constexpr const char* kSizeLabels[] = {"\u3000大", "\u3000中", "\u3000小"};
constexpr const char* kLevelLabels[] = {"\u3000高", "\u3000中", "\u3000低"};

QGroupBox* Group(const char* title, const char* const (&labels)[3], const char* name,
                 QButtonGroup*& group, QObject* owner, int& value) {
    auto* box = new QGroupBox(QString::fromUtf8(title));
    box->setObjectName(QString::fromUtf8(name));
    auto* row = new QHBoxLayout(box);
    group = new QButtonGroup(owner);
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(labels[i]));
        radio->setObjectName(QString::fromUtf8(name) + QString::number(i));
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idClicked, owner, [&value](int id) { value = id; });
    return box;
}

QLabel* Note(const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setWordWrap(true);
    return label;
}

} // namespace

CEnvSettingDlg::CEnvSettingDlg(const EnvSettings& settings, QWidget* parent)
    : QDialog(parent), m_s(settings) {
    setWindowTitle(QStringLiteral("環境設定"));
    auto* grid = new QGridLayout;
    grid->addWidget(Group("ﾊﾞｯﾌｧｰの設定", kSizeLabels, "buffer", m_buffer, this, m_s.bufferSize), 0,
                    0);
    grid->addWidget(
        Group("ﾌﾟﾛｾｽの優先度", kLevelLabels, "process", m_process, this, m_s.processPriority), 1,
        0);
    grid->addWidget(
        Group("ｽﾚｯﾄﾞの優先度", kLevelLabels, "thread", m_thread, this, m_s.threadPriority), 2, 0);
    grid->addWidget(Group("描画速度", kLevelLabels, "draw", m_draw, this, m_s.drawSpeed), 0, 1);
    grid->addWidget(Group("平滑処理", kLevelLabels, "smoothing", m_smoothing, this, m_s.smoothing),
                    1, 1);

    m_usbFix = new QCheckBox(QStringLiteral("Onkyo製ｶｰﾄﾞ対策(at USB1.0)"));
    m_usbFix->setObjectName(QStringLiteral("usbFix"));
    m_invert = new QCheckBox(QStringLiteral("測定時は反転表示する"));
    m_invert->setObjectName(QStringLiteral("invert"));
    connect(m_usbFix, &QCheckBox::clicked, this, [this](bool on) { m_s.usbCardFix = on ? 1 : 0; });
    connect(m_invert, &QCheckBox::clicked, this,
            [this](bool on) { m_s.invertWhileMeasuring = on ? 1 : 0; });
    auto* switches = new QVBoxLayout;
    switches->addWidget(m_usbFix);
    switches->addWidget(m_invert);
    grid->addLayout(switches, 2, 1);

    QPushButton* defaults =
        MakePanelButton(QStringLiteral("ﾃﾞﾌｫﾙﾄに戻す"), QStringLiteral("defaults"));
    connect(defaults, &QPushButton::clicked, this, &CEnvSettingDlg::OnDefaults);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    buttons->addButton(defaults, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Note("(注) ﾊﾞｯﾌｧｰ、ﾌﾟﾛｾｽ、ｽﾚｯﾄﾞの設定はﾘｱﾙﾀｲﾑFIR/IIR処理にのみ有効です。"
                           "Onkyo製ｶｰﾄﾞ対策は3Dｽﾍﾟｸﾄﾗﾑｱﾅﾗｲｻﾞｰで取り込みｴﾗｰが出る場合に"
                           "ﾁｪｯｸして下さい。"));
    layout->addWidget(Note("(注) 描画速度を高にすると遅いPCでは応答しなくなることがあります。"
                           "平滑処理はFIR/IIRのｽﾍﾟｸﾄﾗﾑを重み付けで平均します。"));
    layout->addWidget(buttons);
    Refresh();
}

void CEnvSettingDlg::OnDefaults() {
    m_s.RestoreDefaults();
    Refresh();
}

void CEnvSettingDlg::Refresh() {
    const std::pair<QButtonGroup*, int> groups[] = {{m_buffer, m_s.bufferSize},
                                                    {m_process, m_s.processPriority},
                                                    {m_thread, m_s.threadPriority},
                                                    {m_draw, m_s.drawSpeed},
                                                    {m_smoothing, m_s.smoothing}};
    for (const auto& [group, value] : groups)
        if (QAbstractButton* b = group->button(value)) b->setChecked(true);
    m_usbFix->setChecked(m_s.usbCardFix != 0);
    m_invert->setChecked(m_s.invertWhileMeasuring != 0);
}
