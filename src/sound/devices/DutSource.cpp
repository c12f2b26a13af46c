#include "sound/devices/DutSource.h"

#include "sound/devices/DutFiles.h"
#include "sound/devices/DutText.h"

#include <cmath>
#include <numbers>

bool CDutSource::Build(const DutSourceDef& def, const DutFiles& files, int rate,
                       std::string& error) {
    constexpr double kPi = std::numbers::pi;
    m_rate = rate;
    m_frame = 0;
    m_tones.clear();
    m_noise.clear();
    m_wav[0] = m_wav[1] = nullptr;
    if (!def.wavPath.empty()) {
        if (files.wav.rate != rate) {
            error = DutItemError(def.item, "ファイルの標本化周波数 " +
                                               std::to_string(files.wav.rate) + "Hz がカードの " +
                                               std::to_string(rate) + "Hz と違います");
            return false;
        }
        m_wav[0] = &files.wav.samples[0];
        m_wav[1] = &files.wav.samples[1];
        return true;
    }
    for (const auto& t : def.terms) {
        if (t.kind == DutSourceTerm::Kind::Tone)
            m_tones.push_back({t.freq, t.amp, t.phaseDeg * kPi / 180.0});
        else
            m_noise.emplace_back(t.amp, t.seed);
    }
    return true;
}

void CDutSource::Next(double& s1, double& s2) {
    const std::int64_t n = m_frame++;
    if (m_wav[0]) {
        const std::size_t at = static_cast<std::size_t>(n) % m_wav[0]->size();
        s1 = (*m_wav[0])[at];
        s2 = (*m_wav[1])[at];
        return;
    }
    double v = 0.0;
    for (const auto& t : m_tones) {
        // The phase in cycles is reduced before it is scaled, so long runs keep their accuracy.
        const double cycles = std::fmod(t.freq * static_cast<double>(n), m_rate) / m_rate;
        v += t.amp * std::sin(2.0 * std::numbers::pi * cycles + t.phaseRad);
    }
    for (auto& g : m_noise) v += g.Next();
    s1 = s2 = v;
}
