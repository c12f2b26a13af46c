#pragma once

class CDetailRemezDlg;
class CEasyRemezDlg;
struct AppCommandContext;

// Runs a Remez panel with the sound: its converged designs go to a CRtRemezTool, whose common
// controls are added below the panel. Returns after the panel closed and the tool closed.
void RunRemezPanel(AppCommandContext& ctx, CEasyRemezDlg& dlg);
void RunRemezPanel(AppCommandContext& ctx, CDetailRemezDlg& dlg);
