#include "document/MeasurementFile.h"

#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/DocumentLimits.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>

namespace {

constexpr int kHeaderBytes = 16;
constexpr int kScopeInts = 5;

// Array slots of a file, in file order.
enum Slot { W1, W2, A, B, C };

struct Layout {
    const char* magic;
    int kind;
    const char* note; // appended to the path in the message shown when reading
    int count;
    Slot slots[4];
};

constexpr Layout kLayouts[] = {
    {"OPER", kind::Spectrum, "", 2, {A, B}},
    {"OSC1", kind::Scope, "\n 　..ｵｼﾛｽｺｰﾌﾟ表示専用として開きます", 2, {W1, W2}},
    {"OPS1", kind::Spectrum1, "\n 　..1chｽﾍﾟｱﾅ表示専用として開きます", 2, {W1, A}},
    {"OPS2", kind::Spectrum2, "\n 　　..2chｽﾍﾟｱﾅ表示専用として開きます", 4, {W1, W2, A, C}},
    {"OPJ1", kind::AutoCorr1, "\n 　　..1ch自己相関表示専用として開きます", 2, {W1, A}},
    {"OPJ2", kind::AutoCorr2, "\n 　　..2ch自己相関表示専用として開きます", 4, {W1, W2, A, C}},
    {"OPSO", kind::CrossCorr, "\n 　　..相互相関表示専用として開きます", 3, {W1, W2, A}},
};

const Layout* LayoutForMagic(const std::uint8_t* p) {
    for (const auto& l : kLayouts)
        if (HasTag(p, l.magic)) return &l;
    return nullptr;
}

const Layout* LayoutForMagic(const char* magic) {
    return magic ? LayoutForMagic(reinterpret_cast<const std::uint8_t*>(magic)) : nullptr;
}

std::size_t FileBytes(const Layout& l, int n) {
    std::size_t bytes = kHeaderBytes + static_cast<std::size_t>(l.count) * 4u * n;
    if (l.kind == kind::Scope) bytes += 4u * kScopeInts;
    return bytes;
}

float ReadFloat(const std::uint8_t* p) {
    return std::bit_cast<float>(ReadLe32(p));
}

void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    WriteLe32(out.data() + at, v);
}

const float* SourceArray(const MeasurementSource& s, Slot slot) {
    switch (slot) {
    case W1:
        return s.wave1;
    case W2:
        return s.wave2;
    case A:
        return s.re;
    case B:
        return s.im;
    case C:
        return s.opRe;
    }
    return nullptr;
}

float* TargetArray(MeasurementTarget& t, Slot slot) {
    switch (slot) {
    case W1:
        return t.wave1;
    case W2:
        return t.wave2;
    case A:
        return t.a;
    case B:
        return t.b;
    case C:
        return t.c;
    }
    return nullptr;
}

// The largest file any reader needs: four full complex arrays, or the two time arrays of the
// longest oscilloscope sweep with the display values.
constexpr std::size_t kMaxFileBytes =
    kHeaderBytes + 4u * std::max<std::size_t>(4u * limits::kComplexCapacity,
                                              2u * limits::kWaveCapacity + kScopeInts);

} // namespace

bool ReadMeasurementFileBytes(const std::string& path, std::vector<std::uint8_t>& out) {
    out.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.resize(kMaxFileBytes);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

bool IsScopeShowMode(int show) {
    return (show >= 1 && show <= 4) || show == 8;
}

bool IsMeasurementMagic(const std::uint8_t* first4) {
    return LayoutForMagic(first4) != nullptr;
}

const char* MeasurementMagicForKind(int dataKind, int channelMode) {
    switch (dataKind) {
    case kind::Spectrum:
    case kind::Transfer:
    case kind::LiveTransfer:
        return "OPER";
    case kind::LiveScope:
    case kind::Scope:
        return "OSC1";
    case kind::Spectrum1:
        return "OPS1";
    case kind::Spectrum2:
        return "OPS2";
    case kind::LiveSpectrum:
        return channelMode == chan::Ch1 ? "OPS1" : channelMode == chan::Both ? "OPS2" : nullptr;
    case kind::AutoCorr1:
        return "OPJ1";
    case kind::AutoCorr2:
        return "OPJ2";
    case kind::LiveAutoCorr:
        return channelMode == chan::Ch1 ? "OPJ1" : channelMode == chan::Both ? "OPJ2" : nullptr;
    case kind::LiveCrossCorr:
    case kind::CrossCorr:
        return "OPSO";
    default:
        return nullptr;
    }
}

MeasurementSource DocumentMeasurementSource(const CKymoDoc& doc) {
    MeasurementSource s;
    s.kind = doc.disp_mode1;
    s.channelMode = doc.disp_mode3;
    s.pow = doc.m_nPow;
    s.n = doc.m_nPoints;
    s.dt = doc.m_fDt;
    s.wave1 = doc.m_fWave1.data();
    s.wave2 = doc.m_fWave2.data();
    s.re = doc.m_fRe.data();
    s.im = doc.m_fIm.data();
    s.opRe = doc.m_fOpRe.data();
    s.opIm = doc.m_fOpIm.data();
    s.scope = {doc.m_nScopeShow, doc.m_scope.m_nRangeExp1, doc.m_scope.m_nRangeExp2,
               doc.m_scope.m_nPosStep1, doc.m_scope.m_nPosStep2};
    return s;
}

int WriteMeasurementData(IDocumentUi& ui, const std::string& path, const MeasurementSource& src) {
    ui.ShowMessage(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    const Layout* layout = LayoutForMagic(MeasurementMagicForKind(src.kind, src.channelMode));
    if (!layout || src.n < 0) {
        out.close();
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }

    std::vector<std::uint8_t> bytes;
    bytes.reserve(FileBytes(*layout, src.n));
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(layout->magic[i]));
    AppendLe32(bytes, static_cast<std::uint32_t>(src.pow));
    AppendLe32(bytes, static_cast<std::uint32_t>(src.n));
    AppendLe32(bytes, std::bit_cast<std::uint32_t>(src.dt));
    for (int s = 0; s < layout->count; ++s) {
        const float* values = SourceArray(src, layout->slots[s]);
        for (int i = 0; i < src.n; ++i)
            AppendLe32(bytes, std::bit_cast<std::uint32_t>(values ? values[i] : 0.0f));
    }
    if (layout->kind == kind::Scope) {
        for (int v : {src.scope.show, src.scope.rangeExp1, src.scope.rangeExp2, src.scope.posStep1,
                      src.scope.posStep2})
            AppendLe32(bytes, static_cast<std::uint32_t>(v));
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}

int ParseMeasurementBytes(IDocumentUi& ui, const std::string& path,
                          const std::vector<std::uint8_t>& bytes, MeasurementTarget& t) {
    if (bytes.size() < 4) {
        ui.ShowMessage(oprmsg::kUnknownFormat, MessageIcon::Error);
        return 0;
    }
    const Layout* layout = LayoutForMagic(bytes.data());
    if (!layout) {
        if (HasTag(bytes.data(), "AUDO"))
            ui.ShowMessage(msg::kAudioFile);
        else
            ui.ShowMessage(oprmsg::kOtherFormat, MessageIcon::Error);
        return 0;
    }
    ui.ShowMessage(path + layout->note);

    if (bytes.size() < kHeaderBytes) {
        ui.ShowMessage(oprmsg::kOtherFormat, MessageIcon::Error);
        return 0;
    }
    const int pow = static_cast<int>(ReadLe32(bytes.data() + 4));
    const int n = static_cast<int>(ReadLe32(bytes.data() + 8));
    // An oscilloscope record holds one sweep of any length up to the time arrays; every other
    // kind holds N = 2^(pow + 7) points.
    const bool frameOk =
        layout->kind == kind::Scope ? n >= 1 && n <= limits::kWaveCapacity : n == PointsForPow(pow);
    if (pow < limits::kMinPow || pow > limits::kMaxPow || !frameOk ||
        bytes.size() < FileBytes(*layout, n)) {
        ui.ShowMessage(oprmsg::kOtherFormat, MessageIcon::Error);
        return 0;
    }

    const float dt = ReadFloat(bytes.data() + 12);
    if (!std::isfinite(dt) || !(dt > 0.0f)) {
        ui.ShowMessage(oprmsg::kOtherFormat, MessageIcon::Error);
        return 0;
    }
    ScopeFileValues scope;
    if (layout->kind == kind::Scope) {
        const std::uint8_t* v = bytes.data() + FileBytes(*layout, n) - 4u * kScopeInts;
        auto at = [v](int i) { return static_cast<int>(ReadLe32(v + 4 * i)); };
        scope = {at(0), at(1), at(2), at(3), at(4)};
        ScopeDisplay display;
        display.m_nRangeExp1 = scope.rangeExp1;
        display.m_nRangeExp2 = scope.rangeExp2;
        display.m_nPosStep1 = scope.posStep1;
        display.m_nPosStep2 = scope.posStep2;
        if (!display.IsValid()) {
            ui.ShowMessage(oprmsg::kOtherFormat, MessageIcon::Error);
            return 0;
        }
        if (!IsScopeShowMode(scope.show)) {
            ui.ShowMessage(oprmsg::kScopeModeError, MessageIcon::Error);
            return 0;
        }
    }

    ui.SetWaitCursor(true);
    t.pow = pow;
    t.n = n;
    t.dt = dt;
    const std::uint8_t* p = bytes.data() + kHeaderBytes;
    for (int s = 0; s < layout->count; ++s) {
        float* dest = TargetArray(t, layout->slots[s]);
        if (dest)
            for (int i = 0; i < n; ++i) dest[i] = ReadFloat(p + 4 * i);
        p += 4 * static_cast<std::size_t>(n);
    }
    if (layout->kind == kind::Scope) t.scope = scope;
    t.kind = layout->kind;
    ui.SetWaitCursor(false);
    return 1;
}

int ReadMeasurementPath(IDocumentUi& ui, const std::string& path, MeasurementTarget& t) {
    std::vector<std::uint8_t> bytes;
    if (!ReadMeasurementFileBytes(path, bytes)) return 0;
    return ParseMeasurementBytes(ui, path, bytes, t);
}
