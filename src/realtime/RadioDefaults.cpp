#include "filters/CascadeDesign.h"
#include "filters/FilterLimits.h"
#include "realtime/RadioSettings.h"

namespace {

struct Filter {
    int shape, kind;
    float low, high;
    int order;
};

void Set1(RadioSettings& s, const Filter& f) {
    s.m_filter = f.shape;
    s.m_filter2 = f.kind;
    s.m_cutlow = f.low;
    s.m_cuthigh = f.high;
    s.m_tapbuf = f.order;
}

void Set2(RadioSettings& s, const Filter& f) {
    s.m_cfilter = f.shape;
    s.m_cfilter2 = f.kind;
    s.m_ccutlow = f.low;
    s.m_ccuthigh = f.high;
    s.m_ctapbuf = f.order;
}

// The voice band, and the filters around a 12 kHz carrier and a 1.5 kHz second oscillator.
constexpr Filter kVoice = {shape::BandPass, kCascadeChebyshev, 200.0f, 2800.0f, 8};
constexpr Filter kAudioLow = {shape::LowPass, kCascadeChebyshev, 3000.0f, 0.0f, 8};
constexpr Filter kAmBand = {shape::BandPass, kCascadeChebyshev, 9200.0f, 14800.0f, 4};
constexpr Filter kLowerBand = {shape::BandPass, kCascadeElliptic, 9200.0f, 11800.0f, 6};
constexpr Filter kUpperBand = {shape::BandPass, kCascadeElliptic, 12200.0f, 14800.0f, 6};
constexpr Filter kHalfBand = {shape::LowPass, kCascadeElliptic, 1500.0f, 0.0f, 8};
constexpr Filter kSsbRf = {shape::BandPass, kCascadeChebyshev, 10000.0f, 14000.0f, 4};

} // namespace

void LoadRadioDefaults(RadioSettings& s) {
    s.m_VolLevel = -6;
    s.m_VolGain = 0.5f;
    s.m_VolLevel2 = 0;
    s.m_VolGain2 = 1.0f;
    s.m_ripple = s.m_cripple = 1.0f;
    s.m_reject = s.m_creject = 60.0f;
    s.IQ_BalSpin = 0;
    switch (RadioModeOf(s)) {
    case RadioMode::AmLoop:
    case RadioMode::AmTx:
    case RadioMode::DsbTx:
        Set1(s, kVoice);
        Set2(s, kAmBand);
        s.m_iffreq = 12000;
        s.m_iffreq2 = 1500;
        break;
    case RadioMode::LsbTx:
    case RadioMode::UsbTx:
        Set1(s, kVoice);
        Set2(s, RadioModeOf(s) == RadioMode::LsbTx ? kLowerBand : kUpperBand);
        s.m_iffreq = 12000;
        s.m_iffreq2 = 1500;
        break;
    case RadioMode::CrystalAm:
        Set1(s, kAudioLow);
        Set2(s, kAmBand);
        s.m_iffreq = 12000;
        s.m_iffreq2 = 1500;
        break;
    case RadioMode::IqLsbTx:
    case RadioMode::IqUsbTx:
    case RadioMode::IqLsbRx:
    case RadioMode::IqUsbRx:
        Set1(s, kVoice);
        Set2(s, kHalfBand);
        s.m_iffreq = 3000;
        s.m_iffreq2 = 1500;
        break;
    case RadioMode::AmToSsbRx:
        Set1(s, kSsbRf);
        Set2(s, kHalfBand);
        s.m_iffreq = 13500;
        s.m_iffreq2 = 1500;
        break;
    case RadioMode::Through:
        break;
    default: // the phasing modes and "DSB復調"
        Set1(s, kVoice);
        Set2(s, kHalfBand);
        s.m_iffreq = 13500;
        s.m_iffreq2 = 1500;
        break;
    }
}
