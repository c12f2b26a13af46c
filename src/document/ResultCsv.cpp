#include "document/ResultCsv.h"

#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/MeasurementFile.h"
#include "document/TextCodec.h"

#include <charconv>
#include <fstream>
#include <vector>

namespace {

struct Column {
    const float* values;
    bool rotated; // lag axis with lag 0 in the middle
};

struct CsvLayout {
    std::vector<Column> columns;
    int rows = 0;
    const char* title = nullptr;
    const char* legend = nullptr;
};

constexpr const char* kSampleTime = "ｻﾝﾌﾟﾙﾀｲﾑ=,";
constexpr const char* kPoints = "点数=,";

enum class Choice { Ok, Unsupported, BadScopeMode };

Choice ChooseLayout(const MeasurementSource& s, CsvLayout& l) {
    const int n = s.n;
    l.rows = n;
    switch (s.kind) {
    case kind::Spectrum:
    case kind::Transfer:
    case kind::LiveTransfer:
        l.columns = {{s.wave1, false}, {s.re, false}, {s.im, false}};
        l.title = "Sonalyx,β12.0ﾊﾞｰｼﾞｮﾝ,";
        l.legend = "左列から時間/実軸/虚軸の順,自由に加工して！,";
        return Choice::Ok;
    case kind::LiveSpectrum:
    case kind::Spectrum1:
    case kind::Spectrum2: {
        const bool one = s.kind == kind::Spectrum1 ||
                         (s.kind == kind::LiveSpectrum && s.channelMode == chan::Ch1);
        const bool two = s.kind == kind::Spectrum2 ||
                         (s.kind == kind::LiveSpectrum && s.channelMode == chan::Both);
        if (one) {
            l.columns = {{s.wave1, false}, {s.re, false}};
            l.title = "1chｽﾍﾟｱﾅ,β12.0ﾊﾞｰｼﾞｮﾝ,";
            l.legend = "左列からch1入力信号/ch1ｽﾍﾟｱﾅの順,自由に加工して！,";
            return Choice::Ok;
        }
        if (two) {
            l.columns = {{s.wave1, false}, {s.wave2, false}, {s.re, false}, {s.opRe, false}};
            l.title = "2chｽﾍﾟｱﾅ,β12.0ﾊﾞｰｼﾞｮﾝ,";
            l.legend = "左列からch1入力信号/ch2入力信号/ch1ｽﾍﾟｱﾅ/ch2ｽﾍﾟｱﾅ,自由に加工して！,";
            return Choice::Ok;
        }
        return Choice::Unsupported;
    }
    case kind::AutoCorr1:
    case kind::LiveAutoCorr:
        if (s.kind == kind::LiveAutoCorr && s.channelMode != chan::Ch1) return Choice::Unsupported;
        l.columns = {{s.wave1, false}, {s.re, true}};
        l.title = "1ch自己相関,β12.0ﾞｰｼﾞｮﾝ,";
        l.legend = "左列からch1入力信号/ch1自己相関の順,自由に加工して！,";
        return Choice::Ok;
    case kind::AutoCorr2:
        l.columns = {{s.wave1, false}, {s.wave2, false}, {s.re, true}, {s.opRe, true}};
        l.title = "2ch自己相関,β12.0ﾊﾞｰｼﾞｮﾝ,";
        l.legend = "左列からch1入力信号/ch2入力信号/ch1自己相関/ch2自己相関の順,自由に加工して！,";
        return Choice::Ok;
    case kind::LiveCrossCorr:
    case kind::CrossCorr:
        l.columns = {{s.wave1, false}, {s.wave2, false}, {s.re, true}};
        l.title = "相互相関,β12.0ﾊﾞｰｼﾞｮﾝ,";
        l.legend = "左列からch1入力信号/ch2入力信号/相互相関の順,自由に加工して！,";
        return Choice::Ok;
    case kind::LiveScope:
    case kind::Scope:
        l.title = "ｵｼﾛｽｺｰﾌﾟ,β12.0ﾊﾞｰｼﾞｮﾝ,";
        switch (s.scope.show) {
        case 2:
        case 8:
            l.columns = {{s.wave1, false}, {s.wave2, false}};
            l.legend = "左列からch1入力信号/ch2入力信号の順,自由に加工して！,";
            return Choice::Ok;
        case 1:
            l.columns = {{s.wave1, false}};
            l.legend = "ch1入力信号,自由に加工して！,";
            l.rows = n / 2;
            return Choice::Ok;
        case 3:
            l.columns = {{s.wave2, false}};
            l.legend = "ch2入力信号,自由に加工して！,";
            l.rows = n / 2;
            return Choice::Ok;
        default:
            return Choice::BadScopeMode;
        }
    default:
        return Choice::Unsupported;
    }
}

} // namespace

std::string CsvNumber(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    return std::string(buf, r.ptr);
}

int WriteResultCsv(IDocumentUi& ui, const std::string& path, const MeasurementSource& src) {
    ui.ShowMessage(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    CsvLayout layout;
    const Choice choice = ChooseLayout(src, layout);
    if (choice == Choice::BadScopeMode) {
        ui.ShowMessage(oprmsg::kScopeModeError, MessageIcon::Error);
        return 0;
    }
    if (choice != Choice::Ok || src.n <= 0) {
        out.close();
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }

    ui.SetWaitCursor(true);
    const int n = src.n;
    const int half = n / 2;
    std::string text;
    for (int i = 0; i < layout.rows; ++i) {
        const int rotated = i < half ? i + half : i - half;
        for (const Column& c : layout.columns) {
            const float v = c.values ? c.values[c.rotated ? rotated : i] : 0.0f;
            text += CsvNumber(v);
            text += ',';
        }
        if (i == 0) text += layout.title;
        if (i == 1) text += layout.legend;
        if (i == 2) text += std::string(kSampleTime) + CsvNumber(src.dt);
        if (i == 3) text += std::string(kPoints) + std::to_string(layout.rows);
        text += "\r\n";
    }
    const std::string bytes = Utf8ToCp932(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ui.SetWaitCursor(false);
    if (!out) {
        ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}
