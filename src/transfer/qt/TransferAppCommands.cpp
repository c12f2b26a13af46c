// Desktop handler of the coefficient transfer.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "transfer/qt/CCoefTransferDlg.h"

#include "transfer/TransferSettings.h"

SONALYX_APP_COMMAND(cmd::ID_COEF_TRANSFER, ctx) {
    // Port, rate and format between openings, for the life of the program.
    static TransferSettings settings;
    CCoefTransferDlg dlg(ctx.doc, settings, ctx.parent);
    dlg.exec();
}
