#pragma once

#include "cli/CliCommand.h"

#include <functional>
#include <memory>
#include <string>

class CKymoDoc;
class CSpecAnaPanel;
class ISoundCard;

// What differs between the `live` sub-commands whose panel ends with "保存": the document's
// set-up on the card (with the stored conditions) and the panel to open.
struct LivePanelRecipe {
    std::function<int(CKymoDoc&, ISoundCard*)> begin;
    std::function<std::unique_ptr<CSpecAnaPanel>(CKymoDoc&, ISoundCard&)> makePanel;
};

// The run of such a sub-command: --updates U and -o OUT are required; the conditions and the
// card options are read, the set-up runs, the panel starts (with "Avr_" pressed first for
// --average) and runs until U redraws, "保存" writes OUT, the panel closes, the document's finish
// step runs and --record is written. Returns the exit status (2 on a usage error).
int RunLivePanelToSave(const CliArgs& args, CliContext& ctx, const std::string& usage,
                       const LivePanelRecipe& recipe);
