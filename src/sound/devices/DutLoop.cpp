#include "sound/devices/DutLoop.h"

std::unique_ptr<CDutLoop> CDutLoop::Create(const DutText& dut, const DutFiles& files, int rate,
                                           int inChannels, std::string& error) {
    std::unique_ptr<CDutLoop> loop(new CDutLoop());
    loop->m_route[0] = dut.in[0];
    loop->m_route[1] = dut.in[1];
    loop->m_leak = dut.leak;
    loop->m_inChannels = inChannels;
    loop->m_ring.assign(2 * (static_cast<std::size_t>(dut.latency) + 1), 0.0);
    for (int k = 0; k < inChannels; ++k)
        if (!loop->m_chain[k].Build(dut.dut[k], rate, files, error)) return nullptr;
    if (!loop->m_source.Build(dut.src, files, rate, error)) return nullptr;
    return loop;
}

double CDutLoop::Raw(DutRoute route, double delayed1, double delayed2, double src) const {
    switch (route) {
    case DutRoute::Out1:
        return delayed1;
    case DutRoute::Out2:
        return delayed2;
    case DutRoute::Src:
        return src;
    case DutRoute::Zero:
        break;
    }
    return 0.0;
}

void CDutLoop::Step(double out1, double out2, double& in1, double& in2) {
    m_ring[m_at] = out1;
    m_ring[m_at + 1] = out2;
    m_at += 2;
    if (m_at == m_ring.size()) m_at = 0;
    // The oldest frame of the ring, written `latency` frames ago (this one when latency is 0).
    const double delayed1 = m_ring[m_at];
    const double delayed2 = m_ring[m_at + 1];
    double src1 = 0.0, src2 = 0.0;
    m_source.Next(src1, src2);
    const double raw1 = Raw(m_route[0], delayed1, delayed2, src1);
    if (m_inChannels == 1) {
        in1 = m_chain[0].Process(raw1);
        in2 = 0.0;
        return;
    }
    const double raw2 = Raw(m_route[1], delayed1, delayed2, src2);
    in1 = m_chain[0].Process(raw1) + m_leak * raw2;
    in2 = m_chain[1].Process(raw2) + m_leak * raw1;
}
