#include "sound/engine/SoundReports.h"

#include "document/DocumentUi.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundMessages.h"

#include <string>

void ReportNoSoundCard(IDocumentUi& ui) {
    ui.ShowMessage(std::string(sndmsg::kNoSoundCard) + "\n" + sndmsg::kVirtualCardHint,
                   MessageIcon::Error);
}

void ReportOpenFailure(IDocumentUi& ui, const ISoundCard& card) {
    std::string text = sndmsg::kOpenFailed;
    const std::string why = card.LastError();
    if (!why.empty()) text += "\n" + why;
    ui.ShowMessage(text, MessageIcon::Error);
}

std::string InputDeviceText(ISoundCard& card) {
    WaveInCaps caps;
    if (card.GetInDevCaps(caps) != mmres::NoError) return {};
    return "ID#0:" + caps.name;
}
