#include "app/dialogs/CImpulseDlg.h"

#include "app/dialogs/CSamplingRateDlg.h"
#include "app/dialogs/PointCountCombo.h"
#include "app/dialogs/ServoDialogParts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kDefaultPow = 4;
constexpr int kDefaultCount = 10;
constexpr int kMaxCount = 128;
} // namespace

CImpulseDlg::CImpulseDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｲﾝﾊﾟﾙｽ"));
    m_points = MakePointCountCombo(kDefaultPow);
    auto* positions = new QGroupBox(QStringLiteral("ｲﾝﾊﾟﾙｽの位置"));
    auto* posLayout = new QVBoxLayout(positions);
    m_position = new QButtonGroup(positions);
    const char* names[] = {"0sec位置", "25%(0secより)", "50%(0secより)"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(names[i]));
        m_position->addButton(b, i);
        posLayout->addWidget(b);
    }
    m_position->button(0)->setChecked(true);
    m_count = new QLineEdit(QString::number(kDefaultCount));
    m_count->setValidator(new QIntValidator(1, kMaxCount, m_count));
    m_count->setObjectName(QStringLiteral("count"));
    auto* rate = MakeSamplingCombo();
    TrackSamplingCombo(rate, m_fs, this);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾙ点数"), m_points);
    form->addRow(positions);
    form->addRow(QStringLiteral("ｲﾝﾊﾟﾙｽの連続個数 (個)"), m_count);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾘﾝｸﾞ周波数"), rate);
    form->addRow(new QLabel(QStringLiteral("ｻﾝﾌﾟﾙﾋﾞｯﾄ：16bits / ｲﾝﾊﾟﾙｽ高さ＝１ ")));
    form->addRow(new QLabel(QStringLiteral("注)　ｲﾝﾊﾟﾙｽ波形はWAVEﾌｫｰﾏｯﾄにしません！")));
    form->addRow(MakeOkCancel(this));
}

int CImpulseDlg::Pow() const {
    return m_points->currentIndex();
}

int CImpulseDlg::Position() const {
    return m_position->checkedId();
}

int CImpulseDlg::Count() const {
    return std::clamp(m_count->text().toInt(), 1, kMaxCount);
}
