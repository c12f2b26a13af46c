#include "sound/audio/AudioMeasPanel.h"

#include "document/AudioFile.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentUi.h"
#include "dsp/Tsp.h"
#include "sound/RealtimeCodes.h"
#include "sound/audio/AudioEngine.h"
#include "sound/audio/AudioMessages.h"
#include "sound/audio/AudioSignals.h"
#include "sound/audio/AudioTestFile.h"
#include "sound/audio/TspOnset.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"
#include "sound/spectrum/LevelSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kN = audio::kSinePoints;
constexpr int kT = audio::kTspPoints;
constexpr int kAnalysedPerItem = 8;
constexpr double kTwoPi = 6.283185307179586;
constexpr int kRate44100Index = 3;
constexpr double kLoudDb = 60.0;

// The item a step belongs to.
int ItemOfStep(int step) {
    static constexpr int kItem[] = {-1, 0, 1, 2, 3, 4, 5, 5, 5, 5};
    return step >= 1 && step <= 9 ? kItem[step] : -1;
}

bool TspStep(int step) {
    return step == 1 || step == 8 || step == 9;
}

// The result-block slots of each item.
constexpr int kFirstSlot[] = {0, 4, 8, 12, 16, 18};
constexpr int kSlots[] = {4, 4, 4, 4, 2, 4};
constexpr int kMaxIntervalTenths = 20;
constexpr int kWidthTopLevelSteps = 10;

int RateIndexOf(int rate) {
    return rate == 44100 ? 3 : rate == 48000 ? 4 : 5;
}

} // namespace

int BeginAudioMeasurement(CKymoDoc& doc, ISoundCard* card) {
    IDocumentUi& ui = doc.Ui();
    doc.ClearAccumulators();
    doc.m_nRealUpdates = 0;
    doc.m_bDualCh = 0;
    doc.m_bCorrMode = 0;
    WaveInCaps caps;
    if (!card || card->GetInDevCaps(caps) != mmres::NoError) {
        ReportNoSoundCard(ui);
        return 0;
    }
    doc.m_nPoints = kN;
    doc.m_bAudioMode = 1;
    if (doc.m_nMeasRate < kRate44100Index) {
        ui.ShowMessage(audiomsg::kNoRate);
        doc.m_nMeasRate = meas::kRate48000;
    }
    doc.m_fDt = 1.0f / static_cast<float>(meas::RateOfIndex(doc.m_nMeasRate));
    if (doc.m_nMeasBits == meas::kBits8) {
        ui.ShowMessage(audiomsg::kNo8Bit);
        doc.m_nMeasBits = meas::kBits16;
    }
    return 1;
}

void FinishAudioMeasurement(CKymoDoc& doc) {
    doc.m_bAudioMode = 0;
    doc.disp_mode1 = doc.m_nRealUpdates != 0 ? kind::AudioMeasurement : kind::None;
    if (doc.m_nRealUpdates != 0) doc.disp_mode3 = chan::Both;
    doc.m_bRealBusy = 0;
    doc.UpdateAllViews();
}

CAudioMeasPanel::CAudioMeasPanel(CKymoDoc& doc, ISoundCard& card)
    : m_doc(doc), m_trace(doc, [](int) { return true; }),
      m_engine(std::make_unique<CAudioEngine>(card, doc)), m_tsp(MakeTsp(kT, kT / 4)) {
    m_trace.Apply();
    m_nRate = meas::RateOfIndex(doc.m_nMeasRate);
    m_nWidthCode = doc.m_nMeasBits >= 1 && doc.m_nMeasBits <= 3 ? doc.m_nMeasBits : 1;
    m_engine->SetFill([this](int i, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
        Fill(i, in, out, len);
    });
    m_engine->SetHandOver([this] { HandOver(); });
    m_results.m_nRate = m_nRate;
    m_results.m_nWidthCode = m_nWidthCode;
}

CAudioMeasPanel::~CAudioMeasPanel() {
    m_engine->StopRSound();
}

SoundDuplex& CAudioMeasPanel::Engine() {
    return *m_engine;
}

bool CAudioMeasPanel::IsRunning() const {
    return m_engine->IsRunning();
}

void CAudioMeasPanel::ClearCounters() {
    m_nSettle = 0;
    m_nPhase = 0;
    m_nAnalysed = 0;
    m_nBlockCounter = 0;
    m_doc.m_nRealUpdates = 0;
    m_analyzer.Clear();
}

void CAudioMeasPanel::UseResultTopLevel(bool result) {
    if (m_bResultTopLevel == result) return;
    std::swap(m_doc.m_nTopLevelStep, m_nOtherTopLevelStep);
    m_doc.m_nTopLevel = m_doc.m_nTopLevelStep * 10;
    m_bResultTopLevel = result;
}

bool CAudioMeasPanel::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    UseResultTopLevel(false);
    if (IsRunning()) {
        ui.ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    ClearCounters();
    m_nStep = 0;
    m_nLoud = 0;
    m_nRounds = 0;
    m_bFinished = false;
    m_bLevelTaken = false;
    m_doc.m_bAveraging = 0;
    m_doc.m_nPoints = kN;
    m_capture.assign(static_cast<std::size_t>(kN) * audio::ContainerFrameBytes(m_nWidthCode), 0);
    if (!m_engine->initRSound(m_nRate, m_nWidthCode, 2, kN)) {
        if (m_engine->OpenFailed())
            ReportOpenFailure(ui, m_engine->Card());
        else
            ui.ShowMessage(audiomsg::kInitFailed);
        return false;
    }
    m_nBlockInterval =
        static_cast<int>(m_doc.m_nIntervalTenths * 0.1 / (static_cast<double>(kN) / m_nRate));
    if (!m_engine->StartRSound()) {
        ui.ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    return true;
}

void CAudioMeasPanel::OnStop() {
    if (!m_engine->StopRSound()) m_doc.Ui().ShowMessage(sndmsg::kNotMeasuring);
    UseResultTopLevel(false);
    if (m_nMode == Manual)
        for (int i = 0; i < CAudioResults::kItems; ++i) m_results.m_nFlags[i] = m_items[i] ? 1 : 0;
    m_doc.m_nPoints = kN;
    ClearCounters();
    m_doc.m_bAveraging = 0;
    m_doc.m_bRealBusy = 0;
}

void CAudioMeasPanel::Close() {
    if (IsRunning()) m_engine->StopRSound();
    UseResultTopLevel(false);
    m_doc.m_bRealBusy = 0;
    m_doc.m_nMeasRate = RateIndexOf(m_nRate);
    m_doc.m_nMeasBits = m_nWidthCode;
}

void CAudioMeasPanel::ClearAll() {
    m_results.Clear();
    m_fMonitor[0] = m_fMonitor[1] = 0.0;
}

void CAudioMeasPanel::OnRun() {
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage(audiomsg::kCalibrateFirst);
        return;
    }
    if (m_nStep == 0 && m_analyzer.Accumulated() == 0 && m_nAnalysed == 0) return;
    ClearAll();
    m_nStep = 1;
    ClearCounters();
    m_doc.m_bAveraging = 1;
}

void CAudioMeasPanel::OnTakeReference() {
    if (m_nMode != Manual) return;
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage("ｽﾀｰﾄしてから基準ﾚﾍﾞﾙを取得して下さい。");
        return;
    }
    m_fRefLevel[0] = m_fLevel[0];
    m_fRefLevel[1] = m_fLevel[1];
}

void CAudioMeasPanel::OnBandLimit() {
    m_bBandLimit = !m_bBandLimit;
    Recompute();
}

void CAudioMeasPanel::SetMode(int mode) {
    m_nLoud = 0;
    if (mode == Manual) {
        m_doc.Ui().ShowMessage(
            "この手動録音モードでは測定法に熟知していることと、\n "
            "信号発生も自分で行う必要があります。"
            "\n\n "
            "注)このﾓｰﾄﾞは周波数特性と漏話をｻﾎﾟｰﾄしません。\n　　また、各項目毎の測定になります。");
        m_items.fill(false);
        m_items[CAudioResults::Thd] = true;
        const auto thd = m_results.m_fResult;
        m_results.m_fResult.fill(0.0f);
        for (int i = 4; i < 8; ++i) m_results.m_fResult[i] = thd[i];
    } else if (mode == Synchronous) {
        m_doc.Ui().ShowMessage("試験信号作成時(Waveﾌｧｲﾙ)のｻﾝﾌﾟﾘﾝｸﾞ周波数(FS)\nに設定して下さい。");
    }
    m_nMode = mode;
}

void CAudioMeasPanel::SetItem(int item, bool on) {
    if (m_nMode == Manual &&
        (item == CAudioResults::FreqResponse || item == CAudioResults::Crosstalk))
        return;
    if (m_nMode == Manual && on) m_items.fill(false);
    m_items[item] = on;
    if (!on)
        std::fill(m_results.m_fResult.begin() + kFirstSlot[item],
                  m_results.m_fResult.begin() + kFirstSlot[item] + kSlots[item], 0.0f);
}

void CAudioMeasPanel::SetAll(bool on) {
    if (!on) {
        m_items.fill(false);
        ClearAll();
        return;
    }
    if (m_nMode == Manual) {
        m_items.fill(false);
        m_items[CAudioResults::Thd] = true;
    } else {
        m_items.fill(true);
    }
}

void CAudioMeasPanel::SetRate(int rate) {
    if (IsRunning()) OnStop();
    m_nRate = rate;
    m_results.m_nRate = rate;
    m_doc.m_nMeasRate = RateIndexOf(rate);
    m_doc.m_fDt = 1.0f / static_cast<float>(rate);
    ClearAll();
}

void CAudioMeasPanel::SetWidthCode(int code) {
    if (IsRunning()) OnStop();
    m_nWidthCode = code >= 1 && code <= 3 ? code : 1;
    m_results.m_nWidthCode = m_nWidthCode;
    ClearAll();
}

void CAudioMeasPanel::OnRateButton() {
    SetRate(m_nRate == 44100 ? 48000 : m_nRate == 48000 ? 96000 : 44100);
}

void CAudioMeasPanel::OnWidthButton() {
    const int next = m_nWidthCode % 3 + 1;
    if (m_nWidthCode == 1) StepTopLevel(m_doc, kWidthTopLevelSteps);
    if (m_nWidthCode == 3) StepTopLevel(m_doc, -kWidthTopLevelSteps);
    SetWidthCode(next);
}

void CAudioMeasPanel::OnAverage() {
    m_doc.m_bAveraging = m_doc.m_bAveraging ? 0 : 1;
    if (m_doc.m_bAveraging) m_analyzer.Clear();
    m_doc.m_nRealUpdates = 0;
}

int CAudioMeasPanel::OnWave() {
    m_items.fill(true);
    AudioTestSettings s;
    s.rate = m_nRate;
    s.widthCode = m_nWidthCode;
    s.thdFreq = m_nThdFreq;
    s.imFreq1 = m_nImFreq[0];
    s.imFreq2 = m_nImFreq[1];
    return SaveAudioTestFiles(m_doc.Ui(), s);
}

void CAudioMeasPanel::OnIntervalSpin(int delta) {
    m_doc.m_nIntervalTenths = std::clamp(m_doc.m_nIntervalTenths + delta, 0, kMaxIntervalTenths);
}

void CAudioMeasPanel::OnTopLevelSpin(int delta) {
    StepTopLevel(m_doc, delta);
}

void CAudioMeasPanel::OnDynamicRangeSpin(int delta) {
    StepDynamicRange(m_doc, delta);
}

std::string CAudioMeasPanel::IntervalText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", m_doc.m_nIntervalTenths * 0.1);
    return text;
}

std::string CAudioMeasPanel::TopLevelText() const {
    return std::to_string(m_doc.m_nTopLevelStep * 10);
}

std::string CAudioMeasPanel::DynamicRangeText() const {
    return std::to_string(m_doc.m_nDynamicRangeStep * 10);
}

std::string CAudioMeasPanel::RateText() const {
    return m_nRate == 44100 ? "Fs=44.1kHz" : m_nRate == 48000 ? "Fs=48kHz" : "Fs=96kHz";
}

std::string CAudioMeasPanel::WidthText() const {
    return "Bit=" + std::to_string(audio::FileBits(m_nWidthCode));
}

std::string CAudioMeasPanel::FreqRowLabel(int row) const {
    const int f = row == 0 ? m_nF1 : m_nF2;
    char text[32];
    if (f >= 1000)
        std::snprintf(text, sizeof text, "%dkHz", f / 1000);
    else
        std::snprintf(text, sizeof text, "%dHz", f);
    return text;
}

std::string CAudioMeasPanel::DeviceText() const {
    return InputDeviceText(m_engine->Card());
}

bool CAudioMeasPanel::SetDetail(int thdFreq, int thdDb, int im1, int im2, int im1Db, int im2Db,
                                int f1, int f2) {
    enum Field { ThdFreq, ThdDb, Im1, Im2, Im1Db, Im2Db, F1, F2 };
    IDocumentUi& ui = m_doc.Ui();
    const auto fail = [&](int field, const std::string& text) {
        m_nDetailFault = field;
        ui.ShowMessage(text, MessageIcon::Error);
        return false;
    };
    char buf[256];
    const int r = m_nRate;
    if (thdDb < -40 || thdDb > 0) return fail(ThdDb, "THD測定ﾚﾍﾞﾙが範囲外です(0～-40dB)");
    if (im1Db < -40 || im1Db > -3) return fail(Im1Db, "IM測定ﾚﾍﾞﾙが範囲外です(-3～-40dB)");
    if (im2Db < -40 || im2Db > -3) return fail(Im2Db, "IM測定ﾚﾍﾞﾙが範囲外です(-3～-40dB)");
    if (std::pow(10.0, im1Db / 20.0) + std::pow(10.0, im2Db / 20.0) > 1.0) {
        std::snprintf(
            buf, sizeof buf,
            "両方、又はどちらかのIM測定ﾚﾍﾞﾙが高過ぎます。\n  あとﾄｰﾀﾙで%ddB程下げて下さい。",
            static_cast<int>(20.0 * std::log10(2.0 * std::pow(10.0, im2Db / 20.0))));
        return fail(Im2Db, buf);
    }
    const int top = static_cast<int>(0.22 * r);
    const int topK = static_cast<int>(0.00022 * r);
    if (thdFreq < 40 || thdFreq > top) {
        std::snprintf(buf, sizeof buf, "THD測定周波数が範囲外です(40Hz～%dkHz)", topK);
        return fail(ThdFreq, buf);
    }
    if (im1 < 60 || im1 > top) {
        std::snprintf(buf, sizeof buf, "IM(1)の測定周波数が範囲外です(60Hz～%dkHz)", topK);
        return fail(Im1, buf);
    }
    if (im2 < 60 || im2 > top) {
        std::snprintf(buf, sizeof buf, "IM(2)の測定周波数が範囲外です(60Hz～%dkHz)", topK);
        return fail(Im2, buf);
    }
    for (int i = 0; i < 2; ++i) {
        const int f = i == 0 ? f1 : f2;
        if (f < 20 || f > 0.45454545454545453 * r) {
            std::snprintf(buf, sizeof buf, "周波数特性表示の範囲外です。(20Hz～%dkHz)", r / 2200);
            return fail(i == 0 ? F1 : F2, buf);
        }
    }
    m_nDetailFault = -1;
    m_nThdFreq = thdFreq;
    m_nThdDb = thdDb;
    m_nImFreq[0] = im1;
    m_nImFreq[1] = im2;
    m_nImDb[0] = im1Db;
    m_nImDb[1] = im2Db;
    m_nF1 = f1;
    m_nF2 = f2;
    Recompute();
    if (m_results.m_nFlags[CAudioResults::FreqResponse] == 1)
        ShowGraph(CAudioResults::FreqResponse);
    return true;
}

bool CAudioMeasPanel::StepTicked(int step) const {
    const int item = ItemOfStep(step);
    return item < 0 || m_items[item];
}

void CAudioMeasPanel::WriteSignal(std::uint8_t* out, std::uint32_t len) {
    const int bytes = audio::ContainerFrameBytes(m_nWidthCode) / 2;
    const int frames = static_cast<int>(len / (2 * bytes));
    const double fs = audio::FullScale(m_nWidthCode);
    const double a = audio::TspLevelA(m_nWidthCode), b = audio::TspLevelB(m_nWidthCode);
    const double lt = std::pow(10.0, m_nThdDb / 20.0);
    const double l1 = std::pow(10.0, m_nImDb[0] / 20.0), l2 = std::pow(10.0, m_nImDb[1] / 20.0);
    const auto sine = [&](double f, long long n) {
        return std::sin(kTwoPi * f * static_cast<double>(n) / m_nRate);
    };
    for (int i = 0; i < frames; ++i, ++m_nPhase) {
        const long long n = m_nPhase;
        const int k = i % kT;
        double v[2] = {0.0, 0.0};
        switch (m_nStep) {
        case 0:
            v[0] = v[1] = fs * sine(1000.0, n);
            break;
        case 1:
            v[0] = v[1] = a * m_tsp[k];
            break;
        case 2:
            v[0] = v[1] = fs * lt * sine(m_nThdFreq, n);
            break;
        case 4:
            v[0] = v[1] = fs * 0.001 * sine(1000.0, n);
            break;
        case 5:
            v[0] = v[1] = fs * (l1 * sine(m_nImFreq[0], n) + l2 * sine(m_nImFreq[1], n));
            break;
        case 6:
            v[0] = fs * sine(1000.0, n), v[1] = fs * sine(10000.0, n);
            break;
        case 7:
            v[0] = fs * sine(10000.0, n), v[1] = fs * sine(1000.0, n);
            break;
        case 8:
            v[1] = b * m_tsp[k];
            break;
        case 9:
            v[0] = b * m_tsp[k];
            break;
        default:
            break;
        }
        for (int c = 0; c < 2; ++c)
            audio::StoreSample(out + (static_cast<std::size_t>(i) * 2 + c) * bytes, v[c],
                               m_nWidthCode, false);
    }
}

void CAudioMeasPanel::Fill(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
    m_bHandOver = false;
    if (m_nAnalysed >= kAnalysedPerItem && m_nStep >= 1 && m_nStep <= 9) {
        StepResult();
        m_nAnalysed = 0;
        m_nSettle = 0;
        if (m_nMode == Manual) {
            m_results.Rewind();
        } else {
            ++m_nStep;
            m_nPhase = 0;
            m_doc.m_nRealUpdates = 0;
            m_analyzer.Clear();
        }
    }
    if (m_nStep >= kDone) {
        for (int i = 0; i < CAudioResults::kItems; ++i) m_results.m_nFlags[i] = m_items[i] ? 1 : 0;
        m_bFinished = true;
        if (out) std::memset(out, 0, len);
        return;
    }
    std::memcpy(m_capture.data(), in, std::min<std::size_t>(len, m_capture.size()));
    if (m_nMode != Synchronous) {
        while (m_nStep >= 1 && m_nStep <= 9 && !StepTicked(m_nStep)) {
            ++m_nStep;
            m_nPhase = 0;
        }
        if (m_nStep > 9) m_nStep = kDone;
    }
    if (out) {
        if (m_nMode == Direct && m_nStep < kDone)
            WriteSignal(out, len);
        else
            std::memset(out, 0, len);
    }
    if (m_nStep >= kDone) return;
    ++m_nSettle;
    const int settling = m_nMode == Manual ? 9 : 8;
    m_doc.m_nPoints = TspStep(m_nStep) ? kT : kN;
    if (m_nSettle < settling) return;
    if (++m_nBlockCounter <= m_nBlockInterval) return;
    m_nBlockCounter = 0;
    const int step = m_nStep;
    AnalyseBlock(index, in, len);
    // The lead-in block that starts the items (synchronous mode) is no block of step 1: counted,
    // it would move every item's analysis onto the first blocks of its section of the test file,
    // where the tail of the previous section arrives with the card's delay.
    if (m_nStep == step) ++m_nAnalysed;
    m_bHandOver = true;
}

void CAudioMeasPanel::AnalyseBlock(int index, const std::uint8_t* in, std::uint32_t len) {
    const float offset[2] = {m_doc.m_fOffset16L, m_doc.m_fOffset16R};
    const bool averaging = m_doc.m_bAveraging != 0;
    if (!TspStep(m_nStep)) {
        m_doc.m_bAudioMode = 1;
        m_analyzer.Analyse(m_capture.data(), kN, m_nWidthCode, offset, averaging);
    } else {
        m_doc.m_bAudioMode = 0;
        const std::size_t start = audio::TspOnsetStart(in, len, m_nStep == 8 ? 1 : 0, m_nWidthCode);
        std::memcpy(m_capture.data(), in + start, len / 2);
        m_analyzer.Analyse(m_capture.data(), kT, m_nWidthCode, offset, averaging);
    }
    if (m_nStep == 0 && (m_nMode == Synchronous || index == 0)) {
        float levels[2];
        audio::LevelsAt(m_analyzer.Left().data(), m_analyzer.Right().data(), kN, m_nRate, 1000.0,
                        levels);
        m_bLevelTaken = true;
        if (m_nMode != Synchronous) {
            m_fLevel[0] = levels[0];
            m_fLevel[1] = levels[1];
        } else if (levels[0] > kLoudDb || levels[1] > kLoudDb) {
            ++m_nLoud;
            std::copy(m_fLoudLevel[1], m_fLoudLevel[1] + 2, m_fLoudLevel[0]);
            m_fLevel[0] = m_fLoudLevel[1][0];
            m_fLevel[1] = m_fLoudLevel[1][1];
            m_fLoudLevel[1][0] = levels[0];
            m_fLoudLevel[1][1] = levels[1];
        } else if (m_nLoud > 3) {
            m_fLevel[0] = m_fLoudLevel[0][0];
            m_fLevel[1] = m_fLoudLevel[0][1];
            m_nStep = 1;
            ClearCounters();
            m_doc.m_bAveraging = 1;
            m_nLoud = 0;
        } else {
            m_nLoud = 0;
        }
    }
    ShowToDocument(m_analyzer.Left(), m_analyzer.Right(), m_analyzer.Points());
}

void CAudioMeasPanel::ShowToDocument(const std::vector<float>& l, const std::vector<float>& r,
                                     int points) {
    const int n = std::min<int>(points, static_cast<int>(m_doc.m_fRe.size()));
    std::copy(l.begin(), l.begin() + n, m_doc.m_fRe.begin());
    std::copy(r.begin(), r.begin() + n, m_doc.m_fOpRe.begin());
    std::fill(m_doc.m_fIm.begin(), m_doc.m_fIm.begin() + n, 0.0f);
    std::fill(m_doc.m_fOpIm.begin(), m_doc.m_fOpIm.begin() + n, 0.0f);
    for (int c = 0; c < 2; ++c) {
        auto& wave = c == 0 ? m_doc.m_fWave1 : m_doc.m_fWave2;
        const auto& src = m_analyzer.Wave(c);
        std::copy(src.begin(), src.begin() + std::min<std::size_t>(wave.size(), points),
                  wave.begin());
    }
}

void CAudioMeasPanel::HandOver() {
    if (m_bFinished) {
        m_engine->StopRSound();
        m_doc.m_bRealBusy = 0;
        return;
    }
    if (!m_bHandOver || m_doc.m_bRealBusy) return;
    m_doc.m_bRealBusy = 1;
    m_doc.m_nPoints = m_analyzer.Points();
    m_doc.ProcessRealtime(realtime::kAudioSpectrum);
}

void CAudioMeasPanel::StepResult() {
    std::vector<float> l = m_analyzer.Left(), r = m_analyzer.Right();
    ComputeItem(m_nStep, l, r, false);
    ++m_nRounds;
}

// The computation of a step on its spectra (left normalised); appends the step's curves when
// measured (not when recomputed from the store).
void CAudioMeasPanel::ComputeItem(int step, std::vector<float>& l, std::vector<float>& r,
                                  bool fromStore) {
    auto& res = m_results.m_fResult;
    const bool band = m_bBandLimit;
    const float zero[2] = {0.0f, 0.0f};
    const float* ref = fromStore ? zero : (m_nMode == Manual ? m_fRefLevel : m_fLevel);
    switch (step) {
    case 1: {
        float out[4];
        audio::FrequencyResponse(l.data(), r.data(), kT, m_nRate, m_nF1, m_nF2, out);
        std::copy(out, out + 4, res.begin());
        break;
    }
    case 2: {
        const audio::ThdResult t = audio::Thd(l.data(), r.data(), kN, m_nRate, band);
        res[4] = t.thd[0], res[5] = t.thd[1], res[6] = t.thdN[0], res[7] = t.thdN[1];
        m_fMonitor[0] = std::trunc(t.fundamental);
        m_fMonitor[1] = 0.0;
        break;
    }
    case 3:
    case 4: {
        const audio::NoiseResult nr =
            audio::NoiseRatio(l.data(), r.data(), kN, m_nRate, band, ref, step == 4);
        const int at = step == 3 ? 8 : 12;
        res[at] = nr.weighted[0], res[at + 1] = nr.weighted[1];
        res[at + 2] = nr.unweighted[0], res[at + 3] = nr.unweighted[1];
        break;
    }
    case 5: {
        const audio::ImResult im = audio::ImDistortion(l.data(), r.data(), kN, m_nRate, band);
        res[16] = im.imN[0], res[17] = im.imN[1];
        m_fMonitor[0] = im.lower;
        m_fMonitor[1] = im.upper;
        break;
    }
    case 6:
    case 7: {
        float out[2];
        audio::Crosstalk(l.data(), r.data(), kN, m_nRate, out);
        res[step == 6 ? 18 : 20] = out[0];
        res[step == 6 ? 19 : 21] = out[1];
        break;
    }
    case 8:
    case 9: {
        std::vector<float> ratio(kT, 0.0f);
        for (int k = 0; k < kT; ++k) {
            const float num = step == 8 ? l[k] : r[k], den = step == 8 ? r[k] : l[k];
            ratio[k] = den != 0.0f ? num / den : 0.0f;
        }
        if (!fromStore) m_results.Append(ratio.data());
        return;
    }
    default:
        return;
    }
    if (!fromStore) {
        l.resize(kT);
        r.resize(kT);
        m_results.Append(l.data());
        m_results.Append(r.data());
    }
}

void CAudioMeasPanel::Recompute() {
    auto& res = m_results.m_fResult;
    for (int item = 0; item < CAudioResults::kItems; ++item) {
        if (m_results.m_nFlags[item] != 1) {
            std::fill(res.begin() + kFirstSlot[item], res.begin() + kFirstSlot[item] + kSlots[item],
                      0.0f);
            continue;
        }
        const int steps[2] = {item == 5 ? 6 : item + 1, item == 5 ? 7 : 0};
        for (int s = 0; s < 2 && steps[s] != 0; ++s) {
            const float* lc = m_results.ItemCurves(item, 2 * s);
            const float* rc = m_results.ItemCurves(item, 2 * s + 1);
            if (!lc || !rc) continue;
            const int n = item == 0 ? kT : kN;
            std::vector<float> l(n, 0.0f), r(n, 0.0f);
            std::copy(lc, lc + kT, l.begin());
            std::copy(rc, rc + kT, r.begin());
            ComputeItem(steps[s], l, r, true);
        }
    }
}

bool CAudioMeasPanel::ShowGraph(int item) {
    static const char* const kTitles[] = {"周波数特性",  "全高調波歪", "SN比",
                                          "ﾀﾞｲﾅﾐｯｸﾚﾝｼﾞ", "IM+N歪特性", "ｸﾛｽﾄｰｸ特性"};
    UseResultTopLevel(true);
    if (item < 0 || item >= CAudioResults::kItems || m_results.m_nFlags[item] != 1) {
        m_doc.Ui().ShowMessage(audiomsg::kNoData);
        return false;
    }
    m_doc.m_bSwapColours = m_doc.m_bSwapColours ? 0 : 1;
    const int offset = item == CAudioResults::Crosstalk ? 4 : 0;
    const float* lc = m_results.ItemCurves(item, offset);
    const float* rc = m_results.ItemCurves(item, offset + 1);
    if (!lc || !rc) return false;
    std::copy(lc, lc + kT, m_doc.m_fRe.begin());
    std::copy(rc, rc + kT, m_doc.m_fOpRe.begin());
    m_items[item] = true;
    m_doc.m_nPoints =
        item == CAudioResults::FreqResponse || item == CAudioResults::Crosstalk ? kT : kN;
    if (m_doc.m_bRealBusy) return true;
    m_doc.m_szGraphTitle = kTitles[item];
    m_doc.m_bRealBusy = 1;
    m_doc.ProcessRealtime(realtime::kAudioGraph);
    return true;
}

int CAudioMeasPanel::OnSave(const std::string& path) {
    IDocumentUi& ui = m_doc.Ui();
    ui.ShowMessage(path + audiomsg::kSaveAnnounceTail);
    if (path.find(".csv") != std::string::npos) {
        AudioFile file;
        file.m_nExp = audio::kStoreExp;
        file.m_nValue1 = m_results.m_nRate;
        file.m_nValue2 = m_results.m_nWidthCode;
        file.m_fConditions = m_results.m_fResult;
        file.m_nFlags = m_results.m_nFlags;
        const std::size_t values = static_cast<std::size_t>(file.CurveCount()) * kT;
        file.m_fCurves.assign(m_results.m_fStore.begin(),
                              m_results.m_fStore.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                               values, m_results.m_fStore.size())));
        const auto& v = m_results.m_fResult;
        const auto& f = m_results.m_nFlags;
        std::string t;
        char buf[256];
        if (f[0] == 1) {
            std::snprintf(buf, sizeof buf, "周波数特性,%dHz,%e,%e,\r\n,%dHz,%e,%e,\r\n", m_nF1,
                          v[0], v[2], m_nF2, v[1], v[3]);
            t += buf;
        }
        if (f[1] == 1) {
            std::snprintf(buf, sizeof buf, "高調波歪率,THD(％),%e,%e,\r\n,THD+N(％),%e,%e,\r\n",
                          v[4], v[5], v[6], v[7]);
            t += buf;
        }
        if (f[2] == 1) {
            std::snprintf(buf, sizeof buf, "S/N,Weighted(A),%e,%e,\r\n,UnWeighted,%e,%e,\r\n", v[8],
                          v[9], v[10], v[11]);
            t += buf;
        }
        if (f[3] == 1) {
            std::snprintf(buf, sizeof buf, "Dﾚﾝｼﾞ,Weighted(A),%e,%e,\r\n,UnWeighted,%e,%e,\r\n",
                          v[12], v[13], v[14], v[15]);
            t += buf;
        }
        if (f[4] == 1) {
            std::snprintf(buf, sizeof buf, "IM歪率,IM+N(％),%e,%e,\r\n", v[16], v[17]);
            t += buf;
        }
        if (f[5] == 1) {
            std::snprintf(buf, sizeof buf, "漏話,1kHz,%e,%e,\r\n,10kHz,%e,%e,\r\n", v[20], v[18],
                          v[19], v[21]);
            t += buf;
        }
        std::snprintf(buf, sizeof buf, "ﾃﾞｰﾀｰ長さ=,%d,ｻﾝﾌﾟﾘﾝｸﾞﾀｲﾑ=,%e,\r\n", kT, 1.0 / m_nRate);
        t += buf;
        return WriteAudioCsv(ui, path, file, t);
    }
    if (path.find(".opr") != std::string::npos) return SaveAudioResults(ui, path, m_results);
    ui.ShowMessage(audiomsg::kNeedExtension);
    return 0;
}

int CAudioMeasPanel::OnSaveButton() {
    auto path =
        m_doc.Ui().AskSaveFileName("", "MeasureData(*.opr)|*.opr|MeasureData(*.csv)|*.csv||");
    if (!path) return 0;
    const std::size_t slash = path->find_last_of('/');
    if (path->find('.', slash == std::string::npos ? 0 : slash) == std::string::npos)
        *path += ".csv";
    return OnSave(*path);
}

int CAudioMeasPanel::OnLoadButton() {
    const auto path = m_doc.Ui().AskOpenFileName("", "MeasureData(*.opr)|*.opr||");
    return path ? OnLoad(*path) : 0;
}

int CAudioMeasPanel::OnLoad(const std::string& path) {
    IDocumentUi& ui = m_doc.Ui();
    UseResultTopLevel(true);
    if (!LoadAudioResults(ui, path, m_results)) return 0;
    m_nRate = m_results.m_nRate;
    m_nWidthCode = m_results.m_nWidthCode;
    m_doc.m_nSamplesPerSec = m_nRate;
    m_doc.m_nMeasRate = RateIndexOf(m_nRate);
    m_doc.m_fDt = 1.0f / static_cast<float>(m_nRate);
    m_doc.m_nPoints = kN;
    if (m_nMode != Direct) {
        ui.ShowMessage(audiomsg::kSwitchToDirect);
        m_nMode = Direct;
    }
    for (int i = 0; i < CAudioResults::kItems; ++i) m_items[i] = m_results.m_nFlags[i] == 1;
    Recompute();
    for (int i = 0; i < CAudioResults::kItems; ++i)
        if (m_results.m_nFlags[i] == 1) {
            ShowGraph(i);
            return 1;
        }
    ui.ShowMessage(audiomsg::kEmptyFile);
    return 1;
}

std::vector<std::string> CAudioMeasPanel::ResultLines() const {
    const auto& v = m_results.m_fResult;
    std::vector<std::string> lines;
    const auto add = [&](const char* name, double value) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%s=%.4f", name, value);
        lines.emplace_back(buf);
    };
    add("level_l", m_fLevel[0]);
    add("level_r", m_fLevel[1]);
    add("fr_f1", m_nF1);
    add("fr_f2", m_nF2);
    add("fr_f1_l", v[0]);
    add("fr_f2_l", v[1]);
    add("fr_f1_r", v[2]);
    add("fr_f2_r", v[3]);
    add("thd_l", v[4]);
    add("thd_r", v[5]);
    add("thdn_l", v[6]);
    add("thdn_r", v[7]);
    add("sn_weighted_l", v[8]);
    add("sn_weighted_r", v[9]);
    add("sn_unweighted_l", v[10]);
    add("sn_unweighted_r", v[11]);
    add("dr_weighted_l", v[12]);
    add("dr_weighted_r", v[13]);
    add("dr_unweighted_l", v[14]);
    add("dr_unweighted_r", v[15]);
    add("imn_l", v[16]);
    add("imn_r", v[17]);
    add("xtalk_1k_l", v[20]);
    add("xtalk_1k_r", v[18]);
    add("xtalk_10k_l", v[19]);
    add("xtalk_10k_r", v[21]);
    add("monitor1", m_fMonitor[0]);
    add("monitor2", m_fMonitor[1]);
    return lines;
}
