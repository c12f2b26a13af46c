#include "sound/generator/SigGenPanel.h"

#include "document/CKymoDoc.h"
#include "dsp/Rand15.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/generator/SigGenMessages.h"
#include "sound/generator/SigGenWaveFile.h"
#include "sound/scope/ScopeSweeps.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinLevelSlider = -60;
constexpr int kTopLevelStep = 10; // 100 dB
} // namespace

CSigGenPanel::CSigGenPanel(CKymoDoc& doc, ISoundCard& card)
    : CSigGenPanel(doc, std::make_unique<CSigGenDuplex>(card, doc)) {}

CSigGenPanel::CSigGenPanel(CKymoDoc& doc, std::unique_ptr<CSigGenDuplex> engine)
    : CScopeControls(doc, std::move(engine)), m_gen(static_cast<CSigGenDuplex&>(Engine())) {}

SigGenSettings& CSigGenPanel::Settings() {
    SigGenSettings& s = m_doc.m_sigGen;
    s.rate = Rate();
    s.widthCode = std::clamp(m_doc.m_nMeasBits, 1, 3);
    return s;
}

const SigGenSettings& CSigGenPanel::Settings() const {
    return m_doc.m_sigGen;
}

std::uint32_t CSigGenPanel::Seed() const {
    return m_seed ? *m_seed : CRand15::ClockSeed();
}

bool CSigGenPanel::Validate() {
    m_focus = ValidateSigGen(Settings(), m_doc.Ui());
    return !m_focus.has_value();
}

bool CSigGenPanel::BeforeStart() {
    if (!Validate()) return false;
    m_gen.BeginSynth(Settings(), Seed());
    return true;
}

void CSigGenPanel::ReportRingFailure() {
    m_doc.Ui().ShowMessage(siggenmsg::kRingFailed, MessageIcon::Error);
}

bool CSigGenPanel::StartDevices(int bufferFrames) {
    CScopeDuplex& engine = Engine();
    if (!engine.initRSound(Rate(), Settings().widthCode, 2, bufferFrames)) {
        if (engine.OpenFailed()) ReportOpenFailure(m_doc.Ui(), engine.Card());
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    if (!engine.StartRSound()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    return true;
}

void CSigGenPanel::SetRate(int rate) {
    CScopeControls::SetRate(rate);
    m_doc.m_sigGen.rate = rate;
}

bool CSigGenPanel::OnSourceSwitch(int source) {
    if (source < 0 || source >= siggen::kSources) return false;
    SigGenSource& s = m_doc.m_sigGen.source[source];
    s.on = s.on ? 0 : 1;
    if (!Validate()) {
        s.on = s.on ? 0 : 1;
        return false;
    }
    if (IsRunning()) m_gen.BeginSynth(Settings(), Seed());
    return true;
}

void CSigGenPanel::OnChannelSwap(int source) {
    if (source < 0 || source >= siggen::kSources) return;
    SigGenSource& s = m_doc.m_sigGen.source[source];
    s.swapped = s.swapped ? 0 : 1;
}

void CSigGenPanel::SetFreq(int source, int pair, int hz) {
    m_doc.m_sigGen.source[std::clamp(source, 0, siggen::kSources - 1)].freq[pair ? 1 : 0] = hz;
}

void CSigGenPanel::SetLevel(int source, int pair, int db) {
    m_doc.m_sigGen.source[std::clamp(source, 0, siggen::kSources - 1)].level[pair ? 1 : 0] = db;
}

void CSigGenPanel::SetRecordSeconds(int seconds) {
    m_doc.m_sigGen.recordSeconds = seconds;
}

int CSigGenPanel::SliderFrequency(int source, int position) {
    const double ratio = source == siggen::kSquare ? kSquareRatio : kSineRatio;
    return static_cast<int>(
        std::floor(20.0 * std::pow(ratio, std::clamp(position, 0, kSliderSteps))));
}

int CSigGenPanel::SliderForFrequency(int source, int hz) {
    if (hz <= 0) return 0;
    const double ratio = source == siggen::kSquare ? kSquareRatio : kSineRatio;
    const double position = std::ceil(std::log(hz * 0.05) / std::log(ratio));
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(kSliderSteps)));
}

int CSigGenPanel::SliderForLevel(int db) {
    return std::clamp(db, kMinLevelSlider, 0);
}

void CSigGenPanel::OnFreqSlider(int source, int position) {
    if (source == siggen::kNoise) return;
    SetFreq(source, 0, SliderFrequency(source, position));
}

void CSigGenPanel::OnLevelSlider(int source, int position) {
    SetLevel(source, 0, std::clamp(position, kMinLevelSlider, 0));
}

void CSigGenPanel::OnValueFocus() {
    if (IsRunning()) Stop();
}

void CSigGenPanel::OnStereoMono() {
    m_doc.m_sigGen.stereo = m_doc.m_sigGen.stereo ? 0 : 1;
}

void CSigGenPanel::OnWidth() {
    const int from = std::clamp(m_doc.m_nMeasBits, 1, 3);
    const int to = from % 3 + 1;
    if (from == 1 && to == 2) {
        m_doc.m_nTopLevelStep += kTopLevelStep;
        m_doc.m_nTopLevel += 10 * kTopLevelStep;
    } else if (from == 3 && to == 1) {
        m_doc.m_nTopLevelStep -= kTopLevelStep;
        m_doc.m_nTopLevel -= 10 * kTopLevelStep;
    }
    m_doc.m_nMeasBits = to;
    m_doc.m_sigGen.widthCode = to;
    Restart();
}

int CSigGenPanel::OnWaveSave() {
    const bool wasRunning = IsRunning();
    if (wasRunning) Stop();
    if (!Validate()) return 0;
    const int written = SaveSigGenWave(m_doc.Ui(), Settings(), Seed());
    if (wasRunning) StartRun(false);
    return written;
}

std::string CSigGenPanel::FreqText(int source, int pair) const {
    return std::to_string(Settings().source[source].freq[pair ? 1 : 0]);
}

std::string CSigGenPanel::LevelText(int source, int pair) const {
    return std::to_string(Settings().source[source].level[pair ? 1 : 0]);
}

std::string CSigGenPanel::WidthText() const {
    const int code = std::clamp(m_doc.m_nMeasBits, 1, 3);
    return std::string("Bit=") + (code == 1 ? "16" : code == 2 ? "24" : "32");
}

std::string CSigGenPanel::ModeText() const {
    return Settings().stereo ? "Stereo" : "Mono";
}

std::string CSigGenPanel::SecondsText() const {
    return std::to_string(Settings().recordSeconds);
}

int CSigGenPanel::FreqSlider(int source) const {
    return SliderForFrequency(source, Settings().source[source].freq[0]);
}

int CSigGenPanel::LevelSlider(int source) const {
    return SliderForLevel(Settings().source[source].level[0]);
}

bool CSigGenPanel::SourceOn(int source) const {
    return Settings().source[source].on != 0;
}
