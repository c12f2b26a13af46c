#include "app/AppCommands.h"

#include <map>

namespace {
std::map<int, AppCommandHandler>& Registry() {
    static std::map<int, AppCommandHandler> handlers;
    return handlers;
}
} // namespace

bool RegisterAppCommand(int id, AppCommandHandler handler) {
    Registry()[id] = std::move(handler);
    return true;
}

const AppCommandHandler* FindAppCommand(int id) {
    const auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : &it->second;
}
