#include "app/dialogs/CInitValueDlg.h"

#include "app/dialogs/CSamplingRateDlg.h"
#include "app/dialogs/PointCountCombo.h"
#include "app/dialogs/ServoDialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

CInitValueDlg::CInitValueDlg(int pow, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("初期値の設定"));
    m_points = MakePointCountCombo(pow);
    m_rate = MakeSamplingCombo();
    TrackSamplingCombo(m_rate, m_fs, this);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾙ点数"), m_points);
    form->addRow(QStringLiteral("ｻﾝﾌﾟﾘﾝｸﾞ周波数"), m_rate);
    form->addRow(new QLabel(QStringLiteral("ｹﾞｲﾝ=1(0dB)で初期設定をします")));
    form->addRow(MakeOkCancel(this));
}

int CInitValueDlg::Pow() const {
    return m_points->currentIndex();
}
