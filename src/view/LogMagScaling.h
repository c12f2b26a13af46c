#pragma once

class CKymoDoc;
struct ViewState;

// Outcome of the "Log_Mag(&G)" scaling dialogs.
struct LogMagChoice {
    bool accepted = false; // the outer dialog ended with OK
    bool manual = false;   // "Mannnual" chosen
    double top = 0;        // dB
    double range = 0;      // dB, bottom = top - range
    int phaseMode = 0;     // 0: centred on 0°, 1: shifted (-180° centre), 2: no phase
};

// Start values of the manual fields: top, range and phase mode of the view.
LogMagChoice LogMagStartValues(const ViewState& state);

// Applies the outcome: OK with "Mannnual" selects the manual log presentation (code 3) with the
// entered range and phase mode; anything else leaves the automatic log presentation (code 2).
void ApplyLogMagChoice(CKymoDoc& doc, ViewState& state, const LogMagChoice& choice);
