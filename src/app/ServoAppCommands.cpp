// Desktop handlers of the test signals and the servo-loop calculator.
#include "app/AppCommands.h"
#include "app/dialogs/CImpulseDlg.h"
#include "app/dialogs/CInitValueDlg.h"
#include "app/dialogs/CResonanceChoiceDlg.h"
#include "app/dialogs/CServoOperationDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "dsp/ServoChecks.h"
#include "dsp/ServoElements.h"

namespace {

constexpr double kMaxF0kHz = 1000000.0;
constexpr double kMinF0kHz = 1e-6;
constexpr double kDefaultF0kHz = 0.000159155;

// Dialog 164: the operation only; servo_op::Cancelled on cancel.
int AskOperation(AppCommandContext& ctx) {
    CServoOperationDlg dlg(QStringLiteral("演算の設定"), {}, true, QString(), ctx.doc.Ui(),
                           ctx.parent);
    return dlg.exec() == QDialog::Accepted ? dlg.Operation() : servo_op::Cancelled;
}

void Gain(AppCommandContext& ctx) {
    CServoOperationDlg dlg(QStringLiteral("演算の設定"),
                           {{QStringLiteral("ｹﾞｲﾝ設定 (倍)"), 1.0, QStringLiteral("gain"), {}}},
                           true,
                           QStringLiteral("注)積分、微分の場合は　　　　　1Hzのｹﾞｲﾝを設定する"),
                           ctx.doc.Ui(), ctx.parent);
    dlg.SetWholeCheck(
        [](const std::vector<double>& v, int op) { return CheckGainDivision(v[0], op); });
    if (dlg.exec() == QDialog::Accepted) ctx.doc.OnServoGain(dlg.Value(0), dlg.Operation());
}

// Dialog 163 for the integral (true) or the derivative.
void GainAndFrequency(AppCommandContext& ctx, bool integral) {
    CServoOperationDlg dlg(QStringLiteral("演算の設定"),
                           {{QStringLiteral("ｹﾞｲﾝ"), 1.0, QStringLiteral("gain"), {}},
                            {QStringLiteral("該当周波数 (kHz)"), kDefaultF0kHz,
                             QStringLiteral("f0"), RangeCheck(kMinF0kHz, kMaxF0kHz)}},
                           true, QStringLiteral("ｹﾞｲﾝとその周波数]設定"), ctx.doc.Ui(), ctx.parent);
    dlg.SetWholeCheck([integral](const std::vector<double>& v, int op) {
        return integral ? CheckIntegralDivision(v[0], op) : CheckDerivativeDivision(v[0], op);
    });
    if (dlg.exec() != QDialog::Accepted) return;
    if (integral)
        ctx.doc.OnServoIntegral(dlg.Value(0), dlg.Value(1), dlg.Operation());
    else
        ctx.doc.OnServoDerivative(dlg.Value(0), dlg.Value(1), dlg.Operation());
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_IMPULSE, ctx) {
    CImpulseDlg dlg(ctx.parent);
    if (dlg.exec() == QDialog::Accepted)
        ctx.doc.OnImpulse(dlg.Pow(), dlg.Position(), dlg.Count(), dlg.SamplingFrequency());
}
SONALYX_APP_COMMAND(cmd::ID_TSP, ctx) {
    CInitValueDlg dlg(ctx.doc.m_nPow, ctx.parent);
    if (dlg.exec() == QDialog::Accepted) ctx.doc.OnTsp(dlg.Pow(), dlg.SamplingFrequency());
}
SONALYX_APP_COMMAND(cmd::ID_INIT_GAIN, ctx) {
    CInitValueDlg dlg(ctx.doc.m_nPow, ctx.parent);
    if (dlg.exec() == QDialog::Accepted) ctx.doc.OnInitGain(dlg.Pow(), dlg.SamplingFrequency());
}
SONALYX_APP_COMMAND(cmd::ID_GAIN, ctx) {
    Gain(ctx);
}
SONALYX_APP_COMMAND(cmd::ID_GAIN_TB, ctx) {
    Gain(ctx);
}
SONALYX_APP_COMMAND(cmd::ID_INTEGRAL, ctx) {
    GainAndFrequency(ctx, true);
}
SONALYX_APP_COMMAND(cmd::ID_INTEGRAL_TB, ctx) {
    GainAndFrequency(ctx, true);
}
SONALYX_APP_COMMAND(cmd::ID_DERIVATIVE, ctx) {
    GainAndFrequency(ctx, false);
}
SONALYX_APP_COMMAND(cmd::ID_DERIVATIVE_TB, ctx) {
    GainAndFrequency(ctx, false);
}
SONALYX_APP_COMMAND(cmd::ID_LAG_LEAD, ctx) {
    CServoOperationDlg dlg(
        QStringLiteral("１次遅れ進みの設定"),
        {{QStringLiteral("分子：a"), 1.0, QStringLiteral("a"), {}},
         {QStringLiteral("分子：b"), 0.0003, QStringLiteral("b"), {}},
         {QStringLiteral("分母：c"), 1.0, QStringLiteral("c"), {}},
         {QStringLiteral("分母：d"), 0.00007, QStringLiteral("d"), {}}},
        true,
        QStringLiteral(
            "注) (a+bS)/(c+dS)の設定をして下さい。\n　 　分子は進み、分母は遅れを表現しています。"),
        ctx.doc.Ui(), ctx.parent);
    dlg.SetWholeCheck([](const std::vector<double>& v, int op) {
        return CheckLagLeadDivision(v[0], v[1], v[2], v[3], op);
    });
    if (dlg.exec() == QDialog::Accepted)
        ctx.doc.OnServoLagLead(dlg.Value(0), dlg.Value(1), dlg.Value(2), dlg.Value(3),
                               dlg.Operation());
}
SONALYX_APP_COMMAND(cmd::ID_RESONANCE, ctx) {
    CResonanceChoiceDlg dlg(ctx.doc.Ui(), ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    ctx.doc.OnServoResonance(dlg.Settings(), AskOperation(ctx));
}
SONALYX_APP_COMMAND(cmd::ID_OPEN_LOOP, ctx) {
    ctx.doc.OnOpenLoop();
}
SONALYX_APP_COMMAND(cmd::ID_OPEN_LOOP_TB, ctx) {
    ctx.doc.OnOpenLoop();
}
SONALYX_APP_COMMAND(cmd::ID_CLOSED_LOOP, ctx) {
    ctx.doc.OnClosedLoop();
}
SONALYX_APP_COMMAND(cmd::ID_CLOSED_LOOP_TB, ctx) {
    ctx.doc.OnClosedLoop();
}
SONALYX_APP_COMMAND(cmd::ID_INVERSE, ctx) {
    ctx.doc.OnInverse();
}
SONALYX_APP_COMMAND(cmd::ID_INVERSE_TB, ctx) {
    ctx.doc.OnInverse();
}
SONALYX_APP_COMMAND(cmd::ID_MEM_STORE, ctx) {
    ctx.doc.OnMemoryStore();
}
SONALYX_APP_COMMAND(cmd::ID_MEM_STORE_TB, ctx) {
    ctx.doc.OnMemoryStore();
}
SONALYX_APP_COMMAND(cmd::ID_MEM_RECALL, ctx) {
    ctx.doc.OnMemoryRecall(AskOperation(ctx));
}
SONALYX_APP_COMMAND(cmd::ID_MEM_RECALL_TB, ctx) {
    ctx.doc.OnMemoryRecall(AskOperation(ctx));
}
SONALYX_APP_COMMAND(cmd::ID_HISTORY_SAVE, ctx) {
    ctx.doc.OnSaveHistory();
}
SONALYX_APP_COMMAND(cmd::ID_INIT_FILE, ctx) {
    ctx.doc.OnInitFromFile();
}
SONALYX_APP_COMMAND(cmd::ID_INIT_FILE_TB, ctx) {
    ctx.doc.OnInitFromFile();
}
SONALYX_APP_COMMAND(cmd::ID_COMBINE_FILE, ctx) {
    if (!ctx.doc.ReadServoOperandFile()) return;
    ctx.doc.CombineServoFile(AskOperation(ctx));
}
