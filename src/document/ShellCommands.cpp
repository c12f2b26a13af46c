// Commands that hand a file or a program to the desktop: manuals, demonstration, volume control.
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DocMessages.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace {

struct ManualEntry {
    int id;
    const char* relativePath; // below the program's folder, '/' as separator
    const char* notFound;
    const char* openFailed;
};

constexpr ManualEntry kManuals[] = {
    {cmd::ID_MANUAL_MAIN, "Sonalyx_Manual.pdf",
     "Sonalyx_Manual(ﾏﾆｭｱﾙ)がSonalyx.exeのあるﾃﾞｨﾚｸﾄﾘｰに存在していません",
     "Sonalyx_Manual.pdを開けませんでした！"},
    {cmd::ID_MANUAL_AUDIO, "Audio_Manual.pdf",
     "Audio_Manual.pdf(ﾏﾆｭｱﾙ)がSonalyx.exeのあるﾃﾞｨﾚｸﾄﾘｰに存在していません",
     "Audio_Manual.pdfを開けませんでした！"},
    {cmd::ID_MANUAL_TUBE, "VTube_Manual.pdf",
     "VTube_Manual.pdf(ﾏﾆｭｱﾙ)がSonalyx.exeのあるﾃﾞｨﾚｸﾄﾘｰに存在していません",
     "VTube_Manual.pdfを開けませんでした！"},
    {cmd::ID_DEMO, "Help/SonalyxDemo/index.htm",
     "Sonalyxﾃﾞﾓが「Sonalyx」のあるﾃﾞｨﾚｸﾄﾘｰに存在していません", "Sonalyxﾃﾞﾓを開けませんでした！"},
};

// Mixer programs that stand in for the Windows volume control, in order of preference.
constexpr const char* kMixers[] = {"pavucontrol", "pavucontrol-qt",  "qasmixer",
                                   "kmix",        "gnome-alsamixer", "alsamixergui"};

std::string FindOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    if (!path) return {};
    std::string_view rest(path);
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        if (!dir.empty()) {
            std::error_code ec;
            const fs::path candidate = fs::path(dir) / program;
            if (fs::is_regular_file(candidate, ec)) return candidate.string();
        }
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return {};
}

} // namespace

void CKymoDoc::OnOpenManual(int commandId) {
    const ManualEntry* entry = nullptr;
    for (const auto& e : kManuals)
        if (e.id == commandId) entry = &e;
    if (!entry) return;

    std::vector<fs::path> dirs;
    if (!m_strProgramDir.empty()) {
        dirs.emplace_back(m_strProgramDir);
        dirs.emplace_back(fs::path(m_strProgramDir) / ".." / "share" / "sonalyx");
    }
#ifdef SONALYX_SHARE_DIR
    dirs.emplace_back(SONALYX_SHARE_DIR);
#endif
    for (const auto& dir : dirs) {
        std::error_code ec;
        const fs::path file = dir / fs::path(entry->relativePath);
        if (fs::is_regular_file(file, ec)) {
            if (!m_ui.OpenWithSystem(fs::weakly_canonical(file, ec).string()))
                m_ui.ShowMessage(entry->openFailed);
            return;
        }
    }
    m_ui.ShowMessage(entry->notFound);
}

void CKymoDoc::OnSoundVolume() {
    for (const char* mixer : kMixers) {
        const std::string found = FindOnPath(mixer);
        if (found.empty()) continue;
        if (!m_ui.StartProgram(found)) m_ui.ShowMessage(msg::kVolumeStartFailed);
        return;
    }
    m_ui.ShowMessage(msg::kNoVolumeControl);
}
