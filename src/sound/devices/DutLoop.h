#pragma once

#include "sound/devices/DutChain.h"
#include "sound/devices/DutSource.h"
#include "sound/devices/DutText.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct DutFiles;

// The path from the card's outputs to its inputs: the loop delay, the routing of each input,
// the chains, the leak between the inputs and the external source. One object per opening of
// the input, stepped once per frame of the card's clock.
class CDutLoop {
public:
    // For `rate` Hz and `inChannels` (1: input 2 does not exist). `files` must outlive the
    // loop. Nothing and `error` naming the item when the DUT cannot run at this rate.
    static std::unique_ptr<CDutLoop> Create(const DutText& dut, const DutFiles& files, int rate,
                                            int inChannels, std::string& error);

    // One frame: what the outputs play now in, what the inputs hear now out (counts):
    // in_k = chain_k(raw_k) + leak * raw_other, raw_k being what in_k is routed to (the outputs
    // as played `latency` frames earlier, the source, or 0).
    void Step(double out1, double out2, double& in1, double& in2);

private:
    CDutLoop() = default;
    double Raw(DutRoute route, double delayed1, double delayed2, double src) const;

    DutRoute m_route[2] = {DutRoute::Out1, DutRoute::Out2};
    CDutChain m_chain[2];
    CDutSource m_source;
    double m_leak = 0.0;
    int m_inChannels = 2;
    std::vector<double> m_ring; // latency + 1 frames of both outputs
    std::size_t m_at = 0;
};
