#pragma once

#include "document/DocumentUi.h"

#include <deque>
#include <ostream>
#include <string>
#include <vector>

// An IDocumentUi that answers from prepared queues and records everything it was told.
// Tests use it to check messages; the command-line front end answers dialogs from its arguments
// with it and prints the messages.
class CScriptedUi : public IDocumentUi {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        std::string caption = {}; // empty: the program's own
    };

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowCaptionedMessage(const std::string& caption, const std::string& text,
                              MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskSaveFileName(const std::string& title,
                                               const std::string& filter) override;
    std::optional<std::string> AskOpenFileName(const std::string& title,
                                               const std::string& filter) override;
    bool OpenWithSystem(const std::string& pathOrUrl) override;
    bool StartProgram(const std::string& program) override;
    std::optional<int> AskKaiserBeta(int current) override;

    // Answers, consumed in order. An empty queue cancels file dialogs and says yes.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    bool openSucceeds = true;
    bool startSucceeds = true;
    // Kaiser beta dialog: answers consumed in order; an empty queue cancels.
    std::deque<std::optional<int>> kaiserBetaAnswers;
    std::vector<int> kaiserBetaAsked; // the value each dialog was opened with
    // When set, each message is also written there, one line each, as it arrives.
    std::ostream* echo = nullptr;

    // Everything recorded.
    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<std::string> fileDialogs; // titles/filters asked
    std::vector<std::string> opened;
    std::vector<std::string> started;

    std::vector<std::string> MessageTexts() const;
    void Clear();
};
