#pragma once

#include "sound/devices/DutElement.h"

#include <memory>
#include <string>
#include <vector>

struct DutElementDef;
struct DutFiles;

// The chain of one input: its elements applied in order.
class CDutChain {
public:
    // Builds the elements of `defs` for sampling rate `rate` (Hz), coefficient files from
    // `files`. False with `error` naming the element (a biquad frequency above rate / 2).
    bool Build(const std::vector<DutElementDef>& defs, int rate, const DutFiles& files,
               std::string& error);

    double Process(double v) {
        for (auto& e : m_elements) v = e->Process(v);
        return v;
    }

private:
    std::vector<std::unique_ptr<IDutElement>> m_elements;
};
