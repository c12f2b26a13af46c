#include "realtime/qt/RtRemezPanels.h"

#include "app/AppCommands.h"
#include "app/dialogs/CDetailRemezDlg.h"
#include "app/dialogs/CEasyRemezDlg.h"
#include "document/CKymoDoc.h"
#include "filters/CoefFile.h"
#include "realtime/RtRemezTool.h"
#include "realtime/qt/CRtPanelWidget.h"
#include "sound/engine/SoundReports.h"
#include "sound/qt/ChosenCard.h"

#include <QLayout>

namespace {

template <class Dlg>
void Run(AppCommandContext& ctx, Dlg& dlg, const std::function<FirSaveInfo()>& info) {
    ISoundCard* card = ChosenCard(ctx);
    if (!card) {
        ReportNoSoundCard(ctx.doc.Ui());
        return;
    }
    CRtRemezTool tool(ctx.doc, *card);
    auto* panel = new CRtPanelWidget(tool, {QStringLiteral("f特計算"), QStringLiteral("ﾓﾆﾀｰ表示")});
    panel->HideStartStopAndRate();
    panel->onDisplay = [panel, &tool](int i) {
        tool.OnDisplay(i);
        panel->Refresh(tool.Display());
    };
    panel->onSave = [&tool] { tool.OnSave(); };
    dlg.layout()->addWidget(panel);
    dlg.onDesigned = [&tool, panel, info](const std::vector<double>& taps, int fs) {
        tool.OnDesigned(taps, fs, info());
        panel->Refresh(tool.Display());
    };
    dlg.exec();
    // The panel has told an idle close itself.
    tool.Close(false);
    delete panel;
}

} // namespace

void RunRemezPanel(AppCommandContext& ctx, CEasyRemezDlg& dlg) {
    Run(ctx, dlg, [&dlg] {
        const EasyRemezSettings s = dlg.Settings();
        const bool band = shape::HasTwoEdges(s.shape);
        return FirSaveInfo{"Easy_Remez", FirShapeName(s.shape), s.f1, band ? s.f2 : 0.0f};
    });
}

void RunRemezPanel(AppCommandContext& ctx, CDetailRemezDlg& dlg) {
    Run(ctx, dlg, [] { return FirSaveInfo{"Detail_Remez", "Unknown", 0.0, 0.0}; });
}
