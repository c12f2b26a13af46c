#include "cli/CliCommand.h"

#include "document/DocMessages.h"

#include <algorithm>
#include <cstdlib>
#include <new>

CliArgs::CliArgs(const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            std::string name = w.substr(2);
            std::string value;
            const auto eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
            } else if (i + 1 < words.size() && words[i + 1] != "-o" &&
                       !(words[i + 1].size() > 2 && words[i + 1].compare(0, 2, "--") == 0)) {
                value = words[++i];
            }
            m_options[name] = value;
            m_ordered.emplace_back(name, value);
        } else if (w == "-o" && i + 1 < words.size()) {
            m_options["o"] = words[++i];
            m_ordered.emplace_back("o", m_options["o"]);
        } else {
            m_positional.push_back(w);
        }
    }
}

std::optional<std::string> CliArgs::Get(const std::string& name) const {
    const auto it = m_options.find(name);
    if (it == m_options.end()) return std::nullopt;
    return it->second;
}

std::string CliArgs::GetOr(const std::string& name, const std::string& fallback) const {
    return Get(name).value_or(fallback);
}

namespace {
std::vector<CliCommand>& Registry() {
    static std::vector<CliCommand> commands;
    return commands;
}
} // namespace

bool RegisterCliCommand(CliCommand command) {
    Registry().push_back(std::move(command));
    return true;
}

const std::vector<CliCommand>& CliCommands() {
    auto& r = Registry();
    std::sort(r.begin(), r.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    return r;
}

std::optional<double> CliNumber(const CliArgs& args, const std::string& name, CliContext& ctx) {
    const auto text = args.Get(name);
    if (!text || text->empty()) {
        ctx.err << "--" << name << " needs a number\n";
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = std::strtod(text->c_str(), &end);
    if (end == text->c_str() || *end != '\0') {
        ctx.err << "--" << name << ": not a number: " << *text << "\n";
        return std::nullopt;
    }
    return v;
}

std::optional<int> CliInt(const CliArgs& args, const std::string& name, CliContext& ctx) {
    const auto text = args.Get(name);
    if (!text || text->empty()) {
        ctx.err << "--" << name << " needs a whole number\n";
        return std::nullopt;
    }
    char* end = nullptr;
    const long v = std::strtol(text->c_str(), &end, 10);
    if (end == text->c_str() || *end != '\0' || v < -2147483647L || v > 2147483647L) {
        ctx.err << "--" << name << ": not a whole number: " << *text << "\n";
        return std::nullopt;
    }
    return static_cast<int>(v);
}

std::optional<int> CliChannel(const CliArgs& args, CliContext& ctx) {
    if (!args.Has("channel")) return 1;
    const auto c = CliInt(args, "channel", ctx);
    if (!c) return std::nullopt;
    if (*c != 1 && *c != 2) {
        ctx.err << "--channel: 1 or 2\n";
        return std::nullopt;
    }
    return c;
}

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const auto& commands = CliCommands();
    auto usage = [&](std::ostream& to) {
        to << "usage: sonalyx-cli COMMAND ...\n";
        for (const auto& c : commands) to << "  sonalyx-cli " << c.usage << "\n";
    };
    if (words.empty() || words[0] == "help" || words[0] == "--help" || words[0] == "-h") {
        usage(words.empty() ? err : out);
        return words.empty() ? 2 : 0;
    }
    const CliCommand* found = nullptr;
    std::size_t used = 0;
    if (words.size() >= 2) {
        const std::string two = words[0] + " " + words[1];
        for (const auto& c : commands)
            if (c.name == two) found = &c, used = 2;
    }
    if (!found)
        for (const auto& c : commands)
            if (c.name == words[0]) found = &c, used = 1;
    if (!found) {
        err << "unknown command: " << words[0] << "\n";
        usage(err);
        return 2;
    }
    CliContext ctx(out, err);
    const CliArgs args(
        std::vector<std::string>(words.begin() + static_cast<long>(used), words.end()));
    try {
        return found->run(args, ctx);
    } catch (const std::bad_alloc&) {
        err << msg::kAllocFailed << "\n";
        return 1;
    }
}
