#include "realtime/RadioModem.h"

#include "document/DocumentUi.h"
#include "dsp/FloatToInt.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeMessages.h"
#include "filters/PcmSample.h"
#include "realtime/RadioMessages.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

bool IsLower(RadioMode m) {
    return m == RadioMode::LsbLoop || m == RadioMode::IfLsbTx || m == RadioMode::IqLsbTx ||
           m == RadioMode::IfLsbRx || m == RadioMode::IqLsbRx;
}

int DesignOne(int shape, int kind, int order, double fs, double f1, double f2, double ripple,
              double reject, BiquadTable& iir) {
    BiquadTable ana;
    switch (kind) {
    case kCascadeButterworth:
        return CascadeButterworth(shape, order, fs, f1, f2, ana, iir);
    case kCascadeChebyshev:
        return CascadeChebyshev(shape, order, fs, f1, f2, ripple, ana, iir);
    case kCascadeInvChebyshev:
        return CascadeInvChebyshev(shape, order, fs, f1, f2, reject, ana, iir);
    default:
        return CascadeElliptic(shape, order, fs, f1, f2, ripple, reject, ana, iir);
    }
}

} // namespace

int CRadioModem::Design(const RadioSettings& s, int fs, IDocumentUi& ui) {
    const int kinds[2] = {s.m_filter2, s.m_cfilter2};
    for (int i = 0; i < 2; ++i)
        if (kinds[i] < 0 || kinds[i] > 3) {
            ui.ShowMessage(i == 0 ? cmsg::kUnknownKind : radiomsg::kUnknownKind2);
            return 0;
        }
    BiquadTable t[2];
    const int ok1 = DesignOne(s.m_filter, s.m_filter2, s.m_tapbuf, fs, s.m_cutlow, s.m_cuthigh,
                              s.m_ripple, s.m_reject, t[0]);
    const int ok2 = DesignOne(s.m_cfilter, s.m_cfilter2, s.m_ctapbuf, fs, s.m_ccutlow, s.m_ccuthigh,
                              s.m_cripple, s.m_creject, t[1]);
    if (!ok1 || !ok2) {
        ui.ShowMessage(cmsg::kCoefficientsFailed);
        return 0;
    }
    m_s = s;
    m_mode = RadioModeOf(s);
    m_fs = fs;
    m_table[0] = t[0];
    m_table[1] = t[1];
    m_order[0] = CascadeEffectiveOrder(s.m_filter, s.m_tapbuf);
    m_order[1] = CascadeEffectiveOrder(s.m_cfilter, s.m_ctapbuf);
    for (auto& f : m_state)
        for (auto& u : f)
            for (auto& c : u) c = CascadeState{};
    m_nFrame = 0;
    m_nGen = 0;
    return 1;
}

void CRadioModem::Filter(int which, int use, const std::vector<std::int16_t>& src,
                         std::vector<std::int16_t>& dst) {
    const std::size_t samples = src.size();
    m_srcBytes.resize(samples * 2);
    m_dstBytes.resize(samples * 2);
    for (std::size_t i = 0; i < samples; ++i) pcmio::Write16(m_srcBytes.data() + 2 * i, src[i]);
    CascadeFilterPcm(chmode::Both, 1.0, static_cast<int>(samples * 2), 4, pcm::Stereo16,
                     m_order[which], m_table[which], m_state[which][use][0], m_state[which][use][1],
                     0, m_srcBytes.data(), m_dstBytes.data());
    dst.resize(samples);
    for (std::size_t i = 0; i < samples; ++i)
        dst[i] = static_cast<std::int16_t>(pcmio::Read16(m_dstBytes.data() + 2 * i));
}

void CRadioModem::MakeSource(const std::int16_t* in, int frames) {
    m_out.resize(2 * static_cast<std::size_t>(frames));
    if (m_panel.generator) {
        const double sine = m_panel.sineOn ? std::pow(10.0, m_panel.sineDb / 20.0) : 0.0;
        const double noise = m_panel.noiseOn ? std::pow(10.0, m_panel.noiseDb / 20.0) : 0.0;
        for (int k = 0; k < frames; ++k) {
            const double t = static_cast<double>(m_nGen++);
            const double v = sine * 32768.0 * std::sin(kTwoPi * m_panel.sineFreq * t / m_fs) +
                             noise * (2.0 * m_noise.Rand() - 32768.0);
            m_out[2 * k] = m_out[2 * k + 1] = WrapToInt16(v);
        }
        return;
    }
    const int code = RadioCode(m_s, m_panel.display);
    const bool iq = code == 14 || code == 15;
    const double tanPhi = std::tan(m_panel.iqPhase * 0.1 * std::numbers::pi / 180.0);
    const double balance = 1.0 + 0.004 * m_s.IQ_BalSpin;
    for (int k = 0; k < frames; ++k) {
        const double l = in[2 * k], r = in[2 * k + 1];
        m_out[2 * k] = WrapToInt16(l - m_fOffsetL);
        m_out[2 * k + 1] = WrapToInt16(iq ? tanPhi * l + balance * r - m_fOffsetR : r - m_fOffsetR);
    }
}

void CRadioModem::Transmit(int frames) {
    const double w1 = kTwoPi * m_s.m_iffreq / m_fs, w2 = kTwoPi * m_s.m_iffreq2 / m_fs;
    const double g1 = m_s.m_VolGain, g2 = m_s.m_VolGain2;
    const double go = m_panel.gainFixed ? 1.0 : std::pow(10.0, m_panel.gainDb / 20.0);
    Filter(0, 0, m_out, m_work); // the audio band
    m_tmp.resize(m_work.size());
    const RadioMode m = m_mode;
    const bool am = m == RadioMode::AmTx || m == RadioMode::AmLoop;
    const bool carrierless =
        m == RadioMode::DsbTx || m == RadioMode::LsbTx || m == RadioMode::UsbTx;
    if (am || carrierless) {
        for (int k = 0; k < frames; ++k) {
            const double x = m_work[2 * k];
            const double s = std::sin(w1 * static_cast<double>(m_nFrame + k));
            const double y = am ? s * g1 * (x / 32767.0 * go + 1.0) * 32767.0
                                : s * g1 * (x / 32767.0) * go * 32767.0;
            m_tmp[2 * k] = m_tmp[2 * k + 1] = WrapToInt16(y);
        }
        Filter(1, 0, m_tmp, m_out); // the radio band, or the sideband
        return;
    }
    const bool iqMode = m == RadioMode::IqLsbTx || m == RadioMode::IqUsbTx;
    const bool lower = IsLower(m);
    for (int k = 0; k < frames; ++k) {
        const double x = m_work[2 * k];
        const double t = static_cast<double>(m_nFrame + k);
        double i = std::cos(w2 * t) * g2 * x, q = std::sin(w2 * t) * g2 * x;
        if (iqMode && !lower) std::swap(i, q);
        m_tmp[2 * k] = WrapToInt16(i);
        m_tmp[2 * k + 1] = WrapToInt16(q);
    }
    Filter(1, 0, m_tmp, m_tmp);
    for (int k = 0; k < frames; ++k) {
        const double t = static_cast<double>(m_nFrame + k);
        const double i = m_tmp[2 * k], q = m_tmp[2 * k + 1];
        const double c = std::cos(w1 * t), s = std::sin(w1 * t);
        double l, r;
        if (iqMode) {
            l = g1 * go * (c * i - s * q);
            r = g1 * go * (c * q + s * i);
        } else {
            const double a = g1 * go * c * i, b = g1 * go * s * q;
            l = lower ? a - b : a + b;
            r = lower ? a + b : a - b;
        }
        m_out[2 * k] = WrapToInt16(l);
        m_out[2 * k + 1] = WrapToInt16(r);
    }
}

void CRadioModem::Receive(int frames) {
    const double w1 = kTwoPi * m_s.m_iffreq / m_fs, w2 = kTwoPi * m_s.m_iffreq2 / m_fs;
    const double g1 = m_s.m_VolGain, g2 = m_s.m_VolGain2;
    const double go = m_panel.gainFixed ? 1.0 : std::pow(10.0, m_panel.gainDb / 20.0);
    const RadioMode m = m_mode;
    m_tmp.resize(m_out.size());
    if (m == RadioMode::CrystalAm || m == RadioMode::AmLoop) {
        Filter(1, 1, m_out, m_work);
        for (int k = 0; k < frames; ++k) {
            const double y = std::fabs(static_cast<double>(m_work[2 * k])) * g1 * go;
            m_tmp[2 * k] = m_tmp[2 * k + 1] = WrapToInt16(y);
        }
        Filter(0, 1, m_tmp, m_out);
        return;
    }
    const bool amToSsb = m == RadioMode::AmToSsbRx;
    if (amToSsb) Filter(0, 1, m_out, m_work);
    const std::vector<std::int16_t>& src = amToSsb ? m_work : m_out;
    const bool iqMode = m == RadioMode::IqLsbRx || m == RadioMode::IqUsbRx;
    for (int k = 0; k < frames; ++k) {
        const double t = static_cast<double>(m_nFrame + k);
        const double x = src[2 * k];
        double l, r;
        if (iqMode) {
            l = src[2 * k] * std::sin(w1 * t) * g1;
            r = src[2 * k + 1] * std::sin(w1 * t) * g1;
        } else {
            l = x * std::sin(w1 * t) * g1;
            r = x * std::cos(w1 * t) * g1;
        }
        m_tmp[2 * k] = WrapToInt16(l);
        m_tmp[2 * k + 1] = WrapToInt16(r);
    }
    Filter(1, 1, m_tmp, m_tmp);
    const bool sum = m == RadioMode::DsbRx || amToSsb;
    const bool lower = IsLower(m);
    for (int k = 0; k < frames; ++k) {
        const double t = static_cast<double>(m_nFrame + k);
        const double l = m_tmp[2 * k], r = m_tmp[2 * k + 1];
        double y;
        if (sum) {
            y = g2 * go * (l * std::sin(w2 * t) + r * std::cos(w2 * t));
        } else {
            const double u = g2 * go * l * std::sin(w2 * t), v = g2 * go * r * std::cos(w2 * t);
            y = lower ? u - v : u + v;
        }
        m_tmp[2 * k] = m_tmp[2 * k + 1] = WrapToInt16(y);
    }
    if (amToSsb)
        m_out = m_tmp;
    else
        Filter(0, 1, m_tmp, m_out);
}

void CRadioModem::Process(const std::int16_t* in, std::int16_t* out, int frames,
                          std::vector<std::int16_t>* source) {
    if (frames <= 0) return;
    MakeSource(in, frames);
    if (source) *source = m_out;
    if (m_s.TrmFlg) Transmit(frames);
    if (m_s.RcvFlg) Receive(frames);
    m_nFrame += frames;
    std::memcpy(out, m_out.data(), m_out.size() * sizeof(std::int16_t));
}
