#include "filters/SosHeader.h"

#include "document/ResponseText.h"
#include "document/SavePath.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

// The shortest text that reads back as `value`, always with "." or an exponent so that a
// suffix may follow.
template <typename T> std::string Literal(T value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, r.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Text safe inside a C block comment.
std::string CommentText(std::string s) {
    for (std::size_t at = s.find("*/"); at != std::string::npos; at = s.find("*/", at))
        s.replace(at, 2, "* /");
    return s;
}

std::string Opening(const std::string& name, const SosHeaderNote& note, const std::string& what) {
    std::string text = "/* " + name + ".h: " + what + " of \"" + CommentText(note.source) +
                       "\", written by Sonalyx.\n";
    text += " * Filter_Kind: " + CommentText(note.kind) +
            ", Filter_Shape: " + CommentText(note.shape) +
            ", CutOff(L): " + FixedNumber(note.cutLow, 6) +
            " Hz, CutOff(H): " + FixedNumber(note.cutHigh, 6) + " Hz.\n";
    return text;
}

std::string Guard(const std::string& name) {
    return Upper(name) + "_H";
}

// The rows of a double and a float array: `declaration` gets " = {" appended.
void AppendArrays(std::string& text, const std::string& doubleDecl, const std::string& floatDecl,
                  const std::vector<std::vector<double>>& rows, bool braced) {
    for (int pass = 0; pass < 2; ++pass) {
        const bool single = pass == 1;
        text += (single ? floatDecl : doubleDecl) + " = {\n";
        for (const auto& row : rows) {
            text += braced ? "    {" : "    ";
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (c) text += ", ";
                text += single ? Literal(static_cast<float>(row[c])) + "f" : Literal(row[c]);
            }
            text += braced ? "},\n" : ",\n";
        }
        text += "};\n";
    }
}

// Every value finite as a double and as a float.
bool AllFinite(const std::vector<std::vector<double>>& rows) {
    for (const auto& row : rows)
        for (double v : row)
            if (!std::isfinite(v) || !std::isfinite(static_cast<float>(v))) return false;
    return true;
}

} // namespace

std::string HeaderIdentifier(const std::string& path) {
    std::string name = FileNamePart(path);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') c = '_';
    if (name.empty()) return "coef";
    if (std::isdigit(static_cast<unsigned char>(name[0]))) name = "coef_" + name;
    return name;
}

std::string FormatSosHeader(const std::string& name, const std::vector<double>& sections,
                            bool cmsis, const SosHeaderNote& note) {
    const std::size_t count = sections.size() / 6;
    if (count == 0) return {};
    std::vector<std::vector<double>> rows;
    for (std::size_t s = 0; s < count; ++s) {
        const double* v = sections.data() + 6 * s;
        const double a0 = v[0];
        if (a0 == 0.0) return {};
        const double a1 = v[1] / a0, a2 = v[2] / a0;
        const double b0 = v[3] / a0, b1 = v[4] / a0, b2 = v[5] / a0;
        if (cmsis)
            rows.push_back({b0, b1, b2, -a1, -a2});
        else
            rows.push_back({b0, b1, b2, a1, a2});
    }
    if (!AllFinite(rows)) return {};
    const std::string upper = Upper(name);
    std::string text = Opening(name, note, "IIR second-order sections");
    text += " * Section k: H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2), the file's\n";
    text += " * a0, a1, a2, b0, b1, b2 divided by a0; the filter is " + upper +
            "_GAIN times the product\n * of the sections, taken in the file's order.\n";
    if (cmsis) {
        text +=
            " * Coefficients in the CMSIS-DSP biquad order {b0, b1, b2, -a1, -a2} per section\n";
        text += " * (arm_biquad_cascade_df1_init_f32 with numStages = " + upper +
                "_NUM_SECTIONS). */\n";
    } else {
        text += " * Each row: {b0, b1, b2, a1, a2}. */\n";
    }
    text += "#ifndef " + Guard(name) + "\n#define " + Guard(name) + "\n\n";
    text += "#define " + upper + "_NUM_SECTIONS " + std::to_string(count) + "\n";
    text += "#define " + upper + "_GAIN 1.0\n\n";
    if (cmsis)
        AppendArrays(text,
                     "static const double " + name + "_coeffs[5 * " + upper + "_NUM_SECTIONS]",
                     "static const float " + name + "_coeffs_f[5 * " + upper + "_NUM_SECTIONS]",
                     rows, false);
    else
        AppendArrays(text, "static const double " + name + "_sos[" + upper + "_NUM_SECTIONS][5]",
                     "static const float " + name + "_sos_f[" + upper + "_NUM_SECTIONS][5]", rows,
                     true);
    text += "\n#endif /* " + Guard(name) + " */\n";
    return text;
}

std::string FormatFirHeader(const std::string& name, const std::vector<double>& taps, bool cmsis,
                            const SosHeaderNote& note) {
    std::vector<std::vector<double>> rows;
    if (cmsis)
        for (auto it = taps.rbegin(); it != taps.rend(); ++it) rows.push_back({*it});
    else
        for (double v : taps) rows.push_back({v});
    if (rows.empty() || !AllFinite(rows)) return {};
    const std::string upper = Upper(name);
    std::string text = Opening(name, note, "FIR taps");
    text += cmsis ? " * Taps in the reversed order of CMSIS-DSP's FIR functions: h[N-1] first. */\n"
                  : " * Taps h[0] ... h[N-1]: y[n] = sum h[i] x[n-i]. */\n";
    text += "#ifndef " + Guard(name) + "\n#define " + Guard(name) + "\n\n";
    text += "#define " + upper + "_NUM_TAPS " + std::to_string(taps.size()) + "\n\n";
    AppendArrays(text, "static const double " + name + "_taps[" + upper + "_NUM_TAPS]",
                 "static const float " + name + "_taps_f[" + upper + "_NUM_TAPS]", rows, false);
    text += "\n#endif /* " + Guard(name) + " */\n";
    return text;
}
