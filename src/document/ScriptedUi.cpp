#include "document/ScriptedUi.h"

void CScriptedUi::ShowMessage(const std::string& text, MessageIcon icon) {
    messages.push_back({text, icon});
    if (echo) *echo << text << "\n";
}

void CScriptedUi::ShowCaptionedMessage(const std::string& caption, const std::string& text,
                                       MessageIcon icon) {
    messages.push_back({text, icon, caption});
    if (echo) *echo << text << "\n";
}

bool CScriptedUi::AskYesNo(const std::string& text) {
    questions.push_back(text);
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedUi::AskSaveFileName(const std::string& title,
                                                        const std::string& filter) {
    fileDialogs.push_back(title + "|" + filter);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedUi::AskOpenFileName(const std::string& title,
                                                        const std::string& filter) {
    return AskSaveFileName(title, filter);
}

bool CScriptedUi::OpenWithSystem(const std::string& pathOrUrl) {
    opened.push_back(pathOrUrl);
    return openSucceeds;
}

bool CScriptedUi::StartProgram(const std::string& program) {
    started.push_back(program);
    return startSucceeds;
}

std::optional<int> CScriptedUi::AskKaiserBeta(int current) {
    kaiserBetaAsked.push_back(current);
    if (kaiserBetaAnswers.empty()) return std::nullopt;
    const auto answer = kaiserBetaAnswers.front();
    kaiserBetaAnswers.pop_front();
    return answer;
}

std::vector<std::string> CScriptedUi::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
}

void CScriptedUi::Clear() {
    messages.clear();
    questions.clear();
    fileDialogs.clear();
    opened.clear();
    started.clear();
}
