#pragma once

#include "document/ScriptedUi.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Parsed command line of one sub-command: positional words and "--name value" options.
// A lone "--flag" (followed by another option or nothing) has the value "".
class CliArgs {
public:
    CliArgs(const std::vector<std::string>& words);

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& name) const { return m_options.count(name) != 0; }
    std::optional<std::string> Get(const std::string& name) const;
    std::string GetOr(const std::string& name, const std::string& fallback) const;
    // Options in the order given, for commands whose options are steps (repeats allowed).
    const std::vector<std::pair<std::string, std::string>>& Ordered() const { return m_ordered; }

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
    std::vector<std::pair<std::string, std::string>> m_ordered;
};

// What a sub-command runs with: its output streams and the UI that answers the document.
// Messages the document shows go to `err`, one per line.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    CScriptedUi ui;
    CliContext(std::ostream& o, std::ostream& e) : out(o), err(e) { ui.echo = &err; }
};

using CliRun = std::function<int(const CliArgs&, CliContext&)>;

struct CliCommand {
    std::string name;  // one or two words: "info", "design fir"
    std::string usage; // one line shown by "sonalyx-cli help"
    CliRun run;
};

// Registers a sub-command; called from static initialisers in each command's file.
bool RegisterCliCommand(CliCommand command);
const std::vector<CliCommand>& CliCommands();

// Runs a whole command line (without the program name). Returns the exit status.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// Parses numbers of options; on a bad value writes a message to ctx.err and returns nothing.
std::optional<double> CliNumber(const CliArgs& args, const std::string& name, CliContext& ctx);
std::optional<int> CliInt(const CliArgs& args, const std::string& name, CliContext& ctx);
// "--channel 1|2": 1 when the option is absent; nothing (after a message) for any other value.
std::optional<int> CliChannel(const CliArgs& args, CliContext& ctx);

#define SONALYX_CLI_CONCAT2(a, b) a##b
#define SONALYX_CLI_CONCAT(a, b) SONALYX_CLI_CONCAT2(a, b)
// Defines and registers a sub-command: SONALYX_CLI_COMMAND("info", "info FILE", args, ctx) {...}
#define SONALYX_CLI_COMMAND(NAME, USAGE, ARGS, CTX)                                                \
    static int SONALYX_CLI_CONCAT(CliRun_, __LINE__)(const CliArgs&, CliContext&);                 \
    static const bool SONALYX_CLI_CONCAT(cliRegistered_, __LINE__) =                               \
        RegisterCliCommand({NAME, USAGE, &SONALYX_CLI_CONCAT(CliRun_, __LINE__)});                 \
    static int SONALYX_CLI_CONCAT(CliRun_, __LINE__)(const CliArgs& ARGS, CliContext& CTX)
