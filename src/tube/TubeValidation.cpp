#include "tube/TubeValidation.h"

#include "document/DocumentUi.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Named(const char* format, const char* tubeName) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, tubeName);
    return buf;
}

bool WholeMultiple(double value, double step) {
    if (step == 0.0) return false;
    const double q = value / step;
    return std::fabs(q - std::round(q)) < 1.0e-6;
}

// Rules of one tube; the common values are checked with the upper tube only.
bool ValidateTube(IDocumentUi& ui, const TubeData& d, int t) {
    using T = TubeData;
    const char* name = t == tube::kUpper ? tubemsg::kUpperName : tubemsg::kLowerName;
    const auto fail = [&](const std::string& text) {
        ui.ShowMessage(text, MessageIcon::Error);
        return false;
    };
    const auto warn = [&](const std::string& text) { ui.ShowMessage(text, MessageIcon::Warning); };
    const double supply = d.both[T::Supply][t], load = d.both[T::Load][t];
    const double current = d.both[T::ConstCurrent][t];
    const double gridBias = d.both[T::GridBias][t], cathodeBias = d.both[T::CathodeBias][t];
    const double first = d.com[T::FirstGrid], step = d.com[T::GridStep];
    const double largest = d.com[T::LargestGrid];
    const double declared = d.com[T::CurveCount];
    const bool upper = t == tube::kUpper;
    bool ok = true;

    if (!(d.com[T::PlateScale] > 0 && supply > 0))
        ok = fail(upper ? tubemsg::kUpperSupply : tubemsg::kLowerSupply);
    if (upper && !(d.com[T::MaxDissipation] > 0)) ok = fail(tubemsg::kDissipation);
    if (upper && !(d.com[T::CurrentScale] > 0)) ok = fail(tubemsg::kCurrentScale);
    if (upper && !(declared >= 5)) ok = fail(tubemsg::kFewCurves);
    if (upper && !(step < 0 && largest < 0)) ok = fail(tubemsg::kGridNegative);
    if (!(load > 0)) ok = fail(Named(tubemsg::kLoad, name));
    if (!(current > 0)) ok = fail(Named(tubemsg::kConstCurrent, name));
    if (!(gridBias < 0 && cathodeBias < 0)) ok = fail(Named(tubemsg::kBiasNegative, name));
    if (static_cast<int>(d.curves.size()) < T::kMinCurvesRead) ok = fail(tubemsg::kFewCrossings);
    if (load > 0 && !(current >= 0 && current <= supply / load))
        ok = fail(Named(tubemsg::kCurrentRange, name));
    const double lowest = first + declared * step;
    if (!(gridBias >= lowest && gridBias <= first)) ok = fail(Named(tubemsg::kGridBiasRange, name));
    if (!(cathodeBias >= lowest && cathodeBias <= first))
        ok = fail(Named(tubemsg::kCathodeBiasRange, name));
    if (upper && !(d.com[T::PlateSteps] >= 2 && d.com[T::CurrentSteps] >= 2))
        ok = fail(tubemsg::kSteps);
    if (upper && step < 0 && !(declared >= largest / step)) ok = fail(tubemsg::kLargestGrid);
    if (upper && !WholeMultiple(largest, step)) ok = fail(tubemsg::kGridMultiple);

    if (supply > 600) warn(tubemsg::kHighVoltage);
    const double scale = d.com[T::CurrentScale];
    if (current < 0.1 * scale || current > 0.7 * scale) warn(Named(tubemsg::kCurrentWarning, name));
    if (gridBias < largest || gridBias > first) warn(Named(tubemsg::kGridWarning, name));
    if (cathodeBias < largest || cathodeBias > first) warn(Named(tubemsg::kCathodeWarning, name));
    return ok;
}

} // namespace

bool ValidateTubeData(IDocumentUi& ui, const TubeData& data) {
    const bool upper = ValidateTube(ui, data, tube::kUpper);
    const bool lower = ValidateTube(ui, data, tube::kLower);
    return upper && lower;
}

bool ValidateTubeOperating(IDocumentUi& ui, const std::array<int, 18>& o) {
    using T = TubeData;
    bool ok = true;
    const auto check = [&](bool valid, const char* text) {
        if (!valid) {
            ui.ShowMessage(text, MessageIcon::Error);
            ok = false;
        }
    };
    const auto in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    check(in(o[T::RateCode], 3, 5), tubemsg::kRate);
    check(in(o[T::WidthCode], 1, 3), tubemsg::kWidth);
    check(in(o[T::RangeL], -2, 9), tubemsg::kRangeL);
    check(in(o[T::RangeR], -2, 9), tubemsg::kRangeR);
    check(in(o[T::PositionL], -100, 100) && in(o[T::PositionR], -100, 100), tubemsg::kPosition);
    check(in(o[T::FixedPositions], 0, 1), tubemsg::kFixed);
    check(in(o[T::Through], 0, 1), tubemsg::kThrough);
    check(in(o[T::Circuit], 0, 2), tubemsg::kCircuit);
    check(in(o[T::Bias], 0, 3), tubemsg::kBias);
    check(in(o[T::EpErrorUpper], -10, 10) && in(o[T::EpErrorLower], -10, 10), tubemsg::kEpError);
    check(in(o[T::IpErrorUpper], -10, 10) && in(o[T::IpErrorLower], -10, 10), tubemsg::kIpError);
    check(in(o[T::Sweep], 3, 6), tubemsg::kSweep);
    check(in(o[T::Trigger], 0, 1), tubemsg::kTrigger);
    if (o[T::Reserved1] != 0 || o[T::Reserved2] != 0)
        ui.ShowMessage(tubemsg::kReserved, MessageIcon::Warning);
    return ok;
}
