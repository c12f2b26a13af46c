#pragma once

class IDocumentUi;
class ISoundCard;

// "サウンドカードがないのでは！！", with a second line on choosing the virtual card.
void ReportNoSoundCard(IDocumentUi& ui);
// A card that could not be opened: the message and the device's own reason.
void ReportOpenFailure(IDocumentUi& ui, const ISoundCard& card);
