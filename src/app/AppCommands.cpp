#include "app/AppCommands.h"

#include "document/DocMessages.h"
#include "document/DocumentUi.h"

#include <map>
#include <new>

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

bool RunCommandGuarded(IDocumentUi& ui, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        ui.ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return false;
    }
}
