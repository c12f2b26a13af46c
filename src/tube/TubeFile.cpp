#include "tube/TubeFile.h"

#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "document/TextCodec.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kMaxLineChars = 500;

std::vector<std::string> Words(std::string line) {
    for (char& c : line)
        if (c == ',' || c == '\r' || c == '\t') c = ' ';
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Parses words[from .. from + count - 1] as numbers; false when one is missing or malformed.
bool Numbers(const std::vector<std::string>& words, std::size_t from, std::size_t count,
             double* out) {
    if (words.size() < from + count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const char* text = words[from + i].c_str();
        char* end = nullptr;
        out[i] = std::strtod(text, &end);
        if (end == text || *end != '\0') return false;
    }
    return true;
}

// The reading itself; false on any format fault.
bool Parse(const std::string& text, TubeData& data) {
    std::istringstream in(text);
    std::string line;
    std::size_t com = 0, both = 0, ope = 0;
    while (std::getline(in, line)) {
        if (line.size() > kMaxLineChars) return false;
        const std::vector<std::string> w = Words(line);
        if (w.empty()) continue;
        const std::string& key = w[0];
        double v[TubeData::kCoefs + 1];
        if (key == "end") break;
        if (key.rfind("//", 0) == 0) continue;
        if (key == "真空管名") {
            if (w.size() < 2) return false;
            data.name = w[1];
        } else if (key == "set_com") {
            if (com >= data.com.size() || !Numbers(w, 1, 1, v)) return false;
            data.com[com++] = static_cast<float>(v[0]);
        } else if (key == "set_both") {
            if (both >= data.both.size() || !Numbers(w, 1, 2, v)) return false;
            data.both[both++] = {static_cast<float>(v[0]), static_cast<float>(v[1])};
        } else if (key == "set_ope") {
            if (ope >= data.ope.size() || !Numbers(w, 1, 1, v)) return false;
            if (v[0] < -1.0e6 || v[0] > 1.0e6) return false;
            data.ope[ope++] = static_cast<int>(v[0]);
        } else if (key == "多項式係数") {
            if (static_cast<int>(data.curves.size()) >= TubeData::kMaxCurves ||
                !Numbers(w, 1, TubeData::kCoefs + 1, v))
                return false;
            TubeData::Curve curve;
            for (int i = 0; i < TubeData::kCoefs; ++i) curve.coef[i] = v[i];
            curve.grid = v[TubeData::kCoefs];
            data.curves.push_back(curve);
        } else {
            return false;
        }
    }
    data.com[TubeData::Positive] = std::abs(data.com[TubeData::Positive]);
    const int read = static_cast<int>(data.curves.size());
    return read >= TubeData::kMinCurvesRead && data.com[TubeData::CurveCount] <= read;
}

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* format, ...) {
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return buf;
}

} // namespace

int ReadTubeFile(IDocumentUi& ui, const std::string& path, TubeData& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ui.ShowMessage(tubemsg::kCannotOpen, MessageIcon::Error);
        return 0;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TubeData read;
    if (!Parse(FileTextToUtf8(bytes), read)) {
        ui.ShowMessage(tubemsg::kFormat, MessageIcon::Error);
        return 0;
    }
    data = std::move(read);
    return 1;
}

bool WriteTubeFile(const std::string& path, const TubeData& data) {
    std::string text = Line("%s,%s,\r\n", "真空管名", data.name.c_str());
    for (float v : data.com) text += Line("%s,%f,\r\n", "set_com", v);
    text += Line("%s,\r\n", "//独立ﾃﾞｰﾀｰ");
    for (const auto& pair : data.both) text += Line("%s,%f,%f,\r\n", "set_both", pair[0], pair[1]);
    text += Line("%s,\r\n", "//動作条件等");
    for (int v : data.ope) text += Line("%s,%d,\r\n", "set_ope", v);
    text += Line("%s,\r\n", "//Gauss係数");
    const int count = std::min(static_cast<int>(data.curves.size()), data.CurvesDeclared());
    for (int i = 0; i < count; ++i) {
        const auto& c = data.curves[static_cast<std::size_t>(i)];
        text += Line("%s,%e,%e,%e,%e,%e,%e,%e,%e,%e,\r\n", "多項式係数", c.coef[0], c.coef[1],
                     c.coef[2], c.coef[3], c.coef[4], c.coef[5], c.coef[6], c.coef[7], c.grid);
    }
    text += Line("%s,\r\n", "end");
    const std::string bytes = Utf8ToCp932(text);
    return WriteFileBytes(path, bytes.data(), bytes.size());
}

int SaveTubeFile(IDocumentUi& ui, const TubeData& data) {
    const auto path =
        AskSavePath(ui, "", tubemsg::kWriteFilter, {".csv"}, ".csv", tubemsg::kWrongExtension);
    if (!path) return 0;
    if (!WriteTubeFile(*path, data)) {
        ui.ShowMessage(tubemsg::kWriteFailed, MessageIcon::Error);
        return 0;
    }
    return 1;
}
