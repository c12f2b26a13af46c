#include "app/AppCommands.h"

#include <map>

namespace {
std::map<int, AppCommandHandler>& Registry() {
    static std::map<int, AppCommandHandler> handlers;
    return handlers;
}
std::vector<int>& Duplicates() {
    static std::vector<int> ids;
    return ids;
}
} // namespace

bool RegisterAppCommand(int id, AppCommandHandler handler) {
    if (Registry().count(id)) Duplicates().push_back(id);
    Registry()[id] = std::move(handler);
    return true;
}

const std::vector<int>& DuplicateAppCommands() {
    return Duplicates();
}

const AppCommandHandler* FindAppCommand(int id) {
    const auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : &it->second;
}
