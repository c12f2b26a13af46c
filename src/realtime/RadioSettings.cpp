#include "realtime/RadioSettings.h"

#include "filters/CascadeMessages.h"
#include "filters/FilterLimits.h"
#include "filters/FilterMessages.h"
#include "realtime/RadioMessages.h"

#include <algorithm>
#include <cstdio>

namespace {

using M = RadioMode;

const std::vector<std::pair<RadioMode, const char*>>& ListOf(int trm, int rcv) {
    static const std::vector<std::pair<RadioMode, const char*>> kLoop = {
        {M::AmLoop, "AM変復調"}, {M::LsbLoop, "LSB変復調"}, {M::UsbLoop, "USB変復調"}};
    static const std::vector<std::pair<RadioMode, const char*>> kTx = {
        {M::AmTx, "AM変調"},        {M::DsbTx, "DSB変調"},      {M::LsbTx, "LSB変調"},
        {M::UsbTx, "USB変調"},      {M::IfLsbTx, "IF_LSB変調"}, {M::IfUsbTx, "IF_USB変調"},
        {M::IqLsbTx, "IQ_LSB変調"}, {M::IqUsbTx, "IQ_USB変調"}};
    static const std::vector<std::pair<RadioMode, const char*>> kRx = {
        {M::CrystalAm, "鉱石検波器AM"}, {M::DsbRx, "DSB復調"},      {M::IfLsbRx, "IF_LSB復調"},
        {M::IfUsbRx, "IF_USB復調"},     {M::IqLsbRx, "IQ_LSB復調"}, {M::IqUsbRx, "IQ_USB復調"},
        {M::AmToSsbRx, "AM⇒SSB復調"}};
    static const std::vector<std::pair<RadioMode, const char*>> kThrough = {
        {M::Through, "ｽﾙｰﾓｰﾄﾞ"}};
    if (trm && rcv) return kLoop;
    if (trm) return kTx;
    if (rcv) return kRx;
    return kThrough;
}

std::string Printf(const char* format, int a, int b = 0) {
    char text[256];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The filter checks shared by both filters, in the order of the rules; "" when they pass.
struct FilterFields {
    int shape;
    float low, high;
    int order;
};

} // namespace

std::vector<std::string> RadioModeNames(int trm, int rcv) {
    std::vector<std::string> names;
    for (const auto& e : ListOf(trm, rcv)) names.push_back(e.second);
    return names;
}

RadioMode RadioModeOf(int trm, int rcv, int mod) {
    const auto& list = ListOf(trm, rcv);
    return list[static_cast<std::size_t>(std::clamp(mod, 0, static_cast<int>(list.size()) - 1))]
        .first;
}

int RadioCode(const RadioSettings& s, int display) {
    const bool rf = display == radiodisplay::LinRf || display == radiodisplay::Waterfall;
    if (!rf || !(s.TrmFlg || s.RcvFlg)) return 9;
    if (s.TrmFlg && s.RcvFlg) return s.m_mod + 20;
    return s.TrmFlg ? s.m_mod : s.m_mod + 10;
}

std::string CheckRadioSettings(const RadioSettings& s, int rate) {
    const FilterFields f[2] = {{s.m_filter, s.m_cutlow, s.m_cuthigh, s.m_tapbuf},
                               {s.m_cfilter, s.m_ccutlow, s.m_ccuthigh, s.m_ctapbuf}};
    const double nyquist = rate / 2.0;
    for (const auto& x : f)
        if (!(x.low > 0.0f) || (shape::HasTwoEdges(x.shape) && !(x.high > 0.0f)))
            return fmsg::kAboveZero;
    for (const auto& x : f)
        if (x.low > nyquist || (shape::HasTwoEdges(x.shape) && x.high > nyquist))
            return fmsg::kCutTooHigh;
    for (const auto& x : f)
        if (shape::HasTwoEdges(x.shape) && !(x.low < x.high)) return fmsg::kLowBelowHigh;
    for (int i = 0; i < 2; ++i) {
        const bool band = shape::HasTwoEdges(f[i].shape);
        const int limit = band ? radiolimits::kMaxOrder / 2 : radiolimits::kMaxOrder;
        if (f[i].order < 2 || f[i].order > limit)
            return Printf(i == 0 ? cmsg::kOrderRange : radiomsg::kCarrierOrderRange, limit);
    }
    for (float v : {s.m_ripple, s.m_reject, s.m_cripple, s.m_creject})
        if (!(v >= radiolimits::kMinRipple - 1e-6)) return radiomsg::kRippleLevel;
    if (s.m_iffreq < -rate / 2 || s.m_iffreq > rate / 2)
        return Printf(radiomsg::kLo1Range, -rate / 2, rate / 2);
    if (s.m_iffreq2 < 0 || s.m_iffreq2 > rate / 2) return Printf(radiomsg::kLo2Range, rate / 2);
    return {};
}
