#pragma once

#include "cli/CliCommand.h"

#include <functional>
#include <memory>
#include <string>

class CKymoDoc;
class ISoundCard;
class SoundDuplex;

// A panel as a `live` run works it: its engine and its buttons. `owner` keeps the panel alive;
// `save` ("保存") and `average` ("Avr_") are empty where the panel has no such button.
struct LivePanelCalls {
    std::shared_ptr<void> owner;
    SoundDuplex* engine = nullptr;
    std::function<bool()> start;
    std::function<bool()> save;
    std::function<void()> average;
    std::function<void()> close;
};

// The calls of any panel with Engine(), OnStart() and Close() (and OnSave(), OnAverage() where
// it has them).
template <class Panel> LivePanelCalls PanelCalls(std::unique_ptr<Panel> panel) {
    Panel* p = panel.get();
    LivePanelCalls calls;
    calls.engine = &p->Engine();
    calls.start = [p] { return p->OnStart() != 0; };
    if constexpr (requires { p->OnSave(); }) calls.save = [p] { return p->OnSave() != 0; };
    if constexpr (requires { p->OnAverage(); }) calls.average = [p] { p->OnAverage(); };
    calls.close = [p] { p->Close(); };
    calls.owner = std::shared_ptr<Panel>(std::move(panel));
    return calls;
}

// What differs between the `live` sub-commands that run one instrument panel: the options of
// the instrument, the document's set-up on the card, the panel and the finish step.
struct LivePanelRecipe {
    // The measurement conditions (--rate, --bits, ...) apply before `prepare`.
    bool conditions = true;
    // The instrument's own options into the document; false (reported) ends the run. May be
    // empty.
    std::function<bool(CKymoDoc&)> prepare;
    std::function<int(CKymoDoc&, ISoundCard*)> begin;
    std::function<LivePanelCalls(CKymoDoc&, ISoundCard&)> makePanel;
    // Empty: the spectrum analyzer's finish step.
    std::function<void(CKymoDoc&)> finish;
};

// The run of a sub-command whose panel ends with "保存": --updates U and -o OUT are required;
// the options and the card options are read, the set-up runs, the panel starts (with "Avr_"
// pressed first for --average) and runs until U redraws, "保存" writes OUT, the panel closes,
// the document's finish step runs and --record is written. Returns the exit status (2 on a
// usage error).
int RunLivePanelToSave(const CliArgs& args, CliContext& ctx, const std::string& usage,
                       const LivePanelRecipe& recipe);

// The same run without "保存", until the engine has handed `seconds` of output to the card.
int RunLivePanelFor(const CliArgs& args, CliContext& ctx, double seconds,
                    const LivePanelRecipe& recipe);
