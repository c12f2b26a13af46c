#pragma once

class ISoundCard;
struct AppCommandContext;

// The card of the device choice for a command. When the choice cannot be made (an unknown
// device) the reason is shown; the instrument's own check then reports that there is no card.
ISoundCard* ChosenCard(AppCommandContext& ctx);
