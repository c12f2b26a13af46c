#pragma once

#include <string>

class IDocumentUi;
class ISoundCard;

// "サウンドカードがないのでは！！", with a second line on choosing the virtual card.
void ReportNoSoundCard(IDocumentUi& ui);
// A card that could not be opened: the message and the device's own reason.
void ReportOpenFailure(IDocumentUi& ui, const ISoundCard& card);
// The input device the card records from, as the audio panels show it: "ID#%u:%s" with the
// device id (0: the one device of the card) and the product name; empty without an input.
std::string InputDeviceText(ISoundCard& card);
