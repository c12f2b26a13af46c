#include "sound/qt/CAudioDetailDlg.h"

#include "sound/audio/AudioMeasPanel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* IntField(int value, const char* name) {
    auto* edit = new QLineEdit(QString::number(value));
    edit->setObjectName(QString::fromUtf8(name));
    edit->setValidator(new QIntValidator(-999999, 999999, edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(72);
    return edit;
}

} // namespace

CAudioDetailDlg::CAudioDetailDlg(CAudioMeasPanel& panel, QWidget* parent)
    : QDialog(parent), m_panel(panel) {
    setWindowTitle(QStringLiteral("詳細設定"));
    setObjectName(QStringLiteral("AudioDetailDlg"));
    m_thdFreq = IntField(panel.ThdFreq(), "thdFreq");
    m_thdDb = IntField(panel.ThdDb(), "thdDb");
    for (int i = 0; i < 2; ++i) {
        m_imFreq[i] = IntField(panel.ImFreq(i), i == 0 ? "im1Freq" : "im2Freq");
        m_imDb[i] = IntField(panel.ImDb(i), i == 0 ? "im1Db" : "im2Db");
        m_f[i] = IntField(i == 0 ? panel.F1() : panel.F2(), i == 0 ? "f1" : "f2");
    }

    auto* signalGroup = new QGroupBox(QStringLiteral("測定信号設定"));
    auto* sg = new QGridLayout(signalGroup);
    const auto row = [sg](int r, const QString& label, QLineEdit* freq, QLineEdit* level,
                          const QString& range) {
        sg->addWidget(new QLabel(label), r, 0);
        sg->addWidget(freq, r, 1);
        sg->addWidget(new QLabel(QStringLiteral("Hz")), r, 2);
        sg->addWidget(level, r, 3);
        sg->addWidget(new QLabel(range), r, 4);
    };
    row(0, QStringLiteral("THD測定周波数"), m_thdFreq, m_thdDb, QStringLiteral("dB(0～-40)"));
    row(1, QStringLiteral("IM測定周波数(1)"), m_imFreq[0], m_imDb[0],
        QStringLiteral("dB(-3～-40)"));
    row(2, QStringLiteral("IM測定周波数(2)"), m_imFreq[1], m_imDb[1],
        QStringLiteral("dB(-3～-40)"));

    auto* display = new QGroupBox(QStringLiteral("表示設定"));
    auto* dg = new QGridLayout(display);
    dg->addWidget(new QLabel(QStringLiteral("周波数特性")), 0, 0, 2, 1);
    for (int i = 0; i < 2; ++i) {
        dg->addWidget(new QLabel(i == 0 ? QStringLiteral("f1") : QStringLiteral("f2")), i, 1);
        dg->addWidget(m_f[i], i, 2);
        dg->addWidget(new QLabel(QStringLiteral("Hz")), i, 3);
    }
    dg->setColumnStretch(4, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAudioDetailDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAudioDetailDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(signalGroup);
    layout->addWidget(display);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAudioDetailDlg::accept() {
    const auto v = [](QLineEdit* e) { return e->text().toInt(); };
    if (!m_panel.SetDetail(v(m_thdFreq), v(m_thdDb), v(m_imFreq[0]), v(m_imFreq[1]), v(m_imDb[0]),
                           v(m_imDb[1]), v(m_f[0]), v(m_f[1]))) {
        QLineEdit* const fields[] = {m_thdFreq, m_thdDb,   m_imFreq[0], m_imFreq[1],
                                     m_imDb[0], m_imDb[1], m_f[0],      m_f[1]};
        const int bad = m_panel.DetailFault();
        if (bad >= 0 && bad < 8) {
            fields[bad]->setFocus();
            fields[bad]->selectAll();
        }
        return;
    }
    QDialog::accept();
}
