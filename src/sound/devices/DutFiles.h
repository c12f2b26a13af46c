#pragma once

#include "sound/devices/DutWav.h"

#include <map>
#include <string>
#include <vector>

struct DutText;

// A coefficient file of a chain: FIR taps, or IIR sections of six values a0, a1, a2, b0, b1, b2.
struct DutCoef {
    bool fir = true;
    std::vector<double> values;
};

// The files a DUT text names, read once when the card is made so that a bad file is refused
// with the text, not at the first measurement.
struct DutFiles {
    std::map<std::string, DutCoef> coef; // by path
    DutWav wav;                          // the source file; rate 0 when none
};

// Reads every coef:PATH and the wav:PATH source of `dut`. False with `error` naming the item.
bool LoadDutFiles(const DutText& dut, DutFiles& files, std::string& error);
