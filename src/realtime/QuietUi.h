#pragma once

#include "document/DocumentUi.h"

// A user interface that shows nothing and answers every question with no: for trial steps
// whose failures are reported once by their caller.
class CQuietUi : public IDocumentUi {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskOpenFileName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool OpenWithSystem(const std::string&) override { return false; }
    bool StartProgram(const std::string&) override { return false; }
};
