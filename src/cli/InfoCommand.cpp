// sonalyx-cli info FILE: opens a file through the document and prints what it holds.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"

SONALYX_CLI_COMMAND("info", "info FILE            open FILE and print the document's fields", args,
                    ctx) {
    if (args.Positional().size() != 1) {
        ctx.err << "usage: sonalyx-cli info FILE\n";
        return 2;
    }
    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[0])) return 1;
    PrintDocumentInfo(*doc, ctx.out);
    return 0;
}
