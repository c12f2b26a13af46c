#include "document/SavePath.h"

#include "document/DocMessages.h"

#include <cstdio>
#include <fstream>

std::string FileNamePart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasExtension(const std::string& path) {
    return FileNamePart(path).find('.') != std::string::npos;
}

std::optional<std::string> AskSavePath(IDocumentUi& ui, const std::string& title,
                                       const std::string& filter,
                                       const std::vector<std::string>& accepted,
                                       const std::string& defaultExt,
                                       const std::string& wrongExtMessage) {
    for (;;) {
        auto chosen = ui.AskSaveFileName(title, filter);
        if (!chosen || chosen->empty()) return std::nullopt;
        std::string path = *chosen;
        if (!HasExtension(path)) return path + defaultExt;
        for (const auto& ext : accepted)
            if (path.find(ext) != std::string::npos) return path;
        ui.ShowMessage(path);
        ui.ShowMessage(wrongExtMessage);
    }
}

bool WriteFileBytes(const std::string& path, const void* bytes, std::size_t count) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    out.close();
    return static_cast<bool>(out);
}

bool WriteFileReplacing(const std::string& path, const void* bytes, std::size_t count) {
    const std::string temporary = path + ".sonalyx-part";
    if (WriteFileBytes(temporary, bytes, count) &&
        std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

int SaveWaveAs(IDocumentUi& ui, std::string& label, const unsigned char* bytes, std::size_t count) {
    const auto path =
        AskSavePath(ui, "", label + "(*.wav)|.wav||", {".wav"}, ".wav", msg::kWavExtension);
    if (!path) return 0;
    ui.ShowMessage(*path);
    if (!WriteFileBytes(*path, bytes, count)) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    label = *path;
    return 1;
}
