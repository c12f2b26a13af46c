#pragma once

#include <functional>
#include <vector>

class CKymoDoc;
class CMainFrame;
class QWidget;

// What a desktop command handler works with.
struct AppCommandContext {
    CMainFrame& frame;
    CKymoDoc& doc;
    QWidget* parent; // parent for dialogs and message boxes
};

using AppCommandHandler = std::function<void(AppCommandContext&)>;

// Binds a menu/toolbar command id to its handler in the desktop program. Handlers collect their
// parameters in dialogs and call the document's operation; enabling and check marks come from
// GetCommandState. Each subsystem registers its own commands from its own file with
// SONALYX_APP_COMMAND, so no central switch needs editing.
bool RegisterAppCommand(int id, AppCommandHandler handler);
const AppCommandHandler* FindAppCommand(int id);
// Ids registered more than once (the later registration replaced the earlier one, in an
// unspecified order): each id must have exactly one handler.
const std::vector<int>& DuplicateAppCommands();

class IDocumentUi;

// Runs a command; when memory runs out on the way, says so ("ﾒﾓﾘの確保ができませんでした。
// new出来ず") instead of ending the program, and returns false.
bool RunCommandGuarded(IDocumentUi& ui, const std::function<void()>& command);

#define SONALYX_APP_CONCAT2(a, b) a##b
#define SONALYX_APP_CONCAT(a, b) SONALYX_APP_CONCAT2(a, b)
// SONALYX_APP_COMMAND(cmd::ID_FFT, ctx) { ctx.doc.OnFft(); }
#define SONALYX_APP_COMMAND(ID, CTX)                                                               \
    static void SONALYX_APP_CONCAT(AppCommand_, __LINE__)(AppCommandContext&);                     \
    static const bool SONALYX_APP_CONCAT(appCommandRegistered_, __LINE__) =                        \
        RegisterAppCommand((ID), &SONALYX_APP_CONCAT(AppCommand_, __LINE__));                      \
    static void SONALYX_APP_CONCAT(AppCommand_, __LINE__)(AppCommandContext & CTX)
