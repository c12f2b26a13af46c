#include "realtime/RadioSettingsFile.h"

#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "document/TextCodec.h"
#include "filters/FilterMessages.h"
#include "realtime/RadioMessages.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr int kMaxLines = 20;
constexpr int kMaxWords = 10;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// One key of the file: where it stands in its line, and how its value is taken and checked.
struct Key {
    int position; // word index of the key
    std::function<bool(const std::string&, RadioSettings&)> set;
};

bool Whole(const std::string& w, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(w.c_str(), &end, 10);
    if (w.empty() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool Real(const std::string& w, double lo, double hi, float& out) {
    char* end = nullptr;
    const double v = std::strtod(w.c_str(), &end);
    if (w.empty() || *end != '\0' || !std::isfinite(v) || v < lo || v > hi) return false;
    out = static_cast<float>(v);
    return true;
}

std::map<std::string, Key> Keys() {
    using S = RadioSettings;
    const double nyq = radiolimits::kMaxRate / 2;
    const int inyq = static_cast<int>(nyq);
    const auto whole = [](int S::*m, int lo, int hi) {
        return [m, lo, hi](const std::string& w, S& s) { return Whole(w, lo, hi, s.*m); };
    };
    const auto real = [](float S::*m, double lo, double hi) {
        return [m, lo, hi](const std::string& w, S& s) { return Real(w, lo, hi, s.*m); };
    };
    const double r = radiolimits::kMinRipple;
    const int lv0 = radiolimits::kMinLevelDb, lv1 = radiolimits::kMaxLevelDb;
    const int b = radiolimits::kMaxBalance;
    return {
        {"TrmFlg:", {0, whole(&S::TrmFlg, 0, 1)}},
        {"RcvFlg:", {2, whole(&S::RcvFlg, 0, 1)}},
        {"m_mod:", {4, whole(&S::m_mod, 0, 7)}},
        {"m_filter:", {0, whole(&S::m_filter, 0, 3)}},
        {"m_filter2:", {2, whole(&S::m_filter2, 0, 3)}},
        {"m_cfilter:", {0, whole(&S::m_cfilter, 0, 3)}},
        {"m_cfilter2:", {2, whole(&S::m_cfilter2, 0, 3)}},
        {"m_VolLevel:", {0, whole(&S::m_VolLevel, lv0, lv1)}},
        {"m_VolGain:", {2, real(&S::m_VolGain, 0.0, 10.0)}},
        {"m_VolLevel2:", {0, whole(&S::m_VolLevel2, lv0, lv1)}},
        {"m_VolGain2:", {2, real(&S::m_VolGain2, 0.0, 10.0)}},
        {"m_cutlow:", {0, real(&S::m_cutlow, 0.0, nyq)}},
        {"m_cuthigh:", {2, real(&S::m_cuthigh, 0.0, nyq)}},
        {"m_ripple:", {4, real(&S::m_ripple, r, 200.0)}},
        {"m_reject:", {6, real(&S::m_reject, r, 200.0)}},
        {"m_tapbuf:", {8, whole(&S::m_tapbuf, 2, radiolimits::kMaxOrder)}},
        {"m_ccutlow:", {0, real(&S::m_ccutlow, 0.0, nyq)}},
        {"m_ccuthigh:", {2, real(&S::m_ccuthigh, 0.0, nyq)}},
        {"m_cripple:", {4, real(&S::m_cripple, r, 200.0)}},
        {"m_creject:", {6, real(&S::m_creject, r, 200.0)}},
        {"m_ctapbuf:", {8, whole(&S::m_ctapbuf, 2, radiolimits::kMaxOrder)}},
        {"m_iffreq:", {0, whole(&S::m_iffreq, -inyq, inyq)}},
        {"m_iffreq2:", {2, whole(&S::m_iffreq2, 0, inyq)}},
        {"IQ_BalSpin:", {0, whole(&S::IQ_BalSpin, -b, b)}},
    };
}

std::vector<std::string> Words(std::string line) {
    for (char& c : line)
        if (c == ',' || c == '\r' || c == '\t') c = ' ';
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (words.size() < kMaxWords && in >> w) words.push_back(w);
    return words;
}

} // namespace

std::string RadioSettingsText(const RadioSettings& s) {
    const char* eol = "\r\n";
    std::string t = std::string("BEGIN_ALL,") + eol;
    t += std::string("おもちゃのｿﾌﾄﾗｼﾞｵについて、環境設定を保存しました。,") + eol;
    t += std::string("読み出すことによって過去に遊んだときの設定を取り戻す事ができます。,") + eol;
    t += std::string("まあ大した機能ではないけれど忘れるよりましかな？...程度です,") + eol;
    t += std::string("BEGIN_RADIO,") + eol;
    t += Format("TrmFlg:,%d,RcvFlg:,%d,m_mod:,%d,\r\n", s.TrmFlg, s.RcvFlg, s.m_mod);
    t += Format("m_filter:,%d,m_filter2:,%d,\r\n", s.m_filter, s.m_filter2);
    t += Format("m_cfilter:,%d,m_cfilter2:,%d,\r\n", s.m_cfilter, s.m_cfilter2);
    t += Format("m_VolLevel:,%d,m_VolGain:,%f,\r\n", s.m_VolLevel, s.m_VolGain);
    t += Format("m_VolLevel2:,%d,m_VolGain2:,%f,\r\n", s.m_VolLevel2, s.m_VolGain2);
    t += Format("m_cutlow:,%f,m_cuthigh:,%f,m_ripple:,%f,m_reject:,%f,m_tapbuf:,%d,\r\n",
                s.m_cutlow, s.m_cuthigh, s.m_ripple, s.m_reject, s.m_tapbuf);
    t += Format("m_ccutlow:,%f,m_ccuthigh:,%f,m_cripple:,%f,m_creject:,%f,m_ctapbuf:,%d,\r\n",
                s.m_ccutlow, s.m_ccuthigh, s.m_cripple, s.m_creject, s.m_ctapbuf);
    t += Format("m_iffreq:,%d,m_iffreq2:,%d,\r\n", s.m_iffreq, s.m_iffreq2);
    t += Format("IQ_BalSpin:,%d,\r\n", s.IQ_BalSpin);
    t += std::string("END_RADIO,") + eol;
    t += std::string("以上がｿﾌﾄﾗｼﾞｵの設定ﾃﾞｰﾀｰです。,") + eol;
    t += std::string("END_ALL,") + eol;
    return t;
}

int WriteRadioSettings(const std::string& path, const RadioSettings& s, IDocumentUi& ui) {
    const std::string bytes = Utf8ToCp932(RadioSettingsText(s));
    if (!WriteFileBytes(path, bytes.data(), bytes.size())) {
        ui.ShowMessage(fmsg::kCannotOpen, MessageIcon::Error);
        return 0;
    }
    return 1;
}

int ReadRadioSettings(const std::string& path, RadioSettings& s, IDocumentUi& ui) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ui.ShowMessage(radiomsg::kCannotOpen);
        return 0;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::istringstream text(FileTextToUtf8(bytes));
    const std::map<std::string, Key> keys = Keys();
    RadioSettings read = s;
    std::string line;
    int lines = 0;
    bool inRadio = false;
    const auto bad = [&ui] {
        ui.ShowMessage(radiomsg::kBadFormat);
        return 0;
    };
    while (true) {
        if (!std::getline(text, line)) return bad(); // no "END_RADIO" before the end
        if (++lines > kMaxLines) {
            ui.ShowMessage(radiomsg::kTooManyLines);
            return 0;
        }
        const std::vector<std::string> w = Words(line);
        const std::string first = w.empty() ? std::string() : w[0];
        if (lines == 1) {
            if (first.rfind("BEGIN_ALL", 0) != 0) return bad();
            continue;
        }
        if (first == "END_RADIO" || first == "END_ALL") break;
        if (!inRadio) {
            inRadio = first == "BEGIN_RADIO";
            continue;
        }
        if (w.empty()) return bad();
        for (std::size_t i = 0; i < w.size(); i += 2) {
            const auto it = keys.find(w[i]);
            if (it == keys.end() || it->second.position != static_cast<int>(i) ||
                i + 1 >= w.size() || !it->second.set(w[i + 1], read))
                return bad();
        }
    }
    if (read.m_mod >= static_cast<int>(RadioModeNames(read.TrmFlg, read.RcvFlg).size()))
        return bad();
    s = read;
    return 1;
}
