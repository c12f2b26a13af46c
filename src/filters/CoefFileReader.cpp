// Reading coefficient files: header keys, FIR taps and IIR sections with their limits.
#include "document/DocumentUi.h"
#include "document/TextCodec.h"
#include "filters/CoefFile.h"
#include "filters/CoefTokens.h"
#include "filters/FilterMessages.h"

#include <fstream>

namespace {

// Opens `path` and checks the first line. Shows the message of a failure.
bool OpenCoefFile(IDocumentUi& ui, const std::string& path, std::ifstream& in) {
    in.open(path, std::ios::binary);
    if (!in) {
        ui.ShowMessage(fmsg::kCannotOpen, MessageIcon::Error);
        return false;
    }
    std::string line;
    if (ReadCoefLine(in, line) && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (SplitCoefLine(line)[0] != "BEGIN_ALL") {
        ui.ShowMessage(fmsg::kFormatMismatch, MessageIcon::Error);
        return false;
    }
    return true;
}

// The header keys of one line before any section.
void ReadHeaderLine(const CoefTokens& t, CoefFileHeader& header, int& declaredOrder) {
    if (t[0] == "Filter_Kind:") header.kind = FileTextToUtf8(t[1]);
    if (t[2] == "Filter_Shape:") header.shape = FileTextToUtf8(t[3]);
    if (t[4] == "Order:") declaredOrder = CoefAtoI(t[5]);
    if (t[0] == "CutOff(L):") header.cutLow = CoefAtoF(t[1]);
    if (t[2] == "CutOff(H):") header.cutHigh = CoefAtoF(t[3]);
}

// Sections an IIR order declares, (order + 1) / 2, for any int order.
long long DeclaredSections(int order) {
    return (static_cast<long long>(order) + 1) / 2;
}

void StoreSection(const CoefTokens& t, double* six) {
    for (int c = 0; c < 6; ++c) six[c] = CoefAtoF(t[c]);
}

void ResetHeader(CoefFileHeader& header, const std::string& path) {
    header = CoefFileHeader();
    header.fileName = path;
}

} // namespace

int CoefFile::ReadFir(CoefFileHeader& header, std::vector<double>& values) {
    header = CoefFileHeader();
    values.clear();
    const auto path = m_ui.AskOpenFileName("", fmsg::kCoefOpenFilter);
    if (!path) return 0;
    return ReadFirFile(*path, header, values);
}

int CoefFile::ReadFirFile(const std::string& path, CoefFileHeader& header,
                          std::vector<double>& values) {
    enum class State { Header, Fir, Iir, Closed };
    ResetHeader(header, path);
    values.clear();
    std::ifstream in;
    if (!OpenCoefFile(m_ui, path, in)) return 0;

    State state = State::Header;
    int declaredOrder = 0;
    int sections = 0;
    std::string line;
    for (int index = 1; ReadCoefLine(in, line); ++index) {
        const CoefTokens t = SplitCoefLine(line);
        if (t[0] == "END_ALL") break;
        if (t.count == 0) continue;
        if (state == State::Header) {
            ReadHeaderLine(t, header, declaredOrder);
            if (t[0] == "BEGIN_IIR") {
                state = State::Iir;
                header.sectionType = 0;
            } else if (t[0] == "BEGIN_FIR") {
                state = State::Fir;
                header.sectionType = 1;
            }
            continue;
        }
        if (index > filt::kMaxFirFileLines) {
            m_ui.ShowMessage(FormatCount(fmsg::kFirFileTooLong, filt::kMaxFirFileLines),
                             MessageIcon::Error);
            return 0;
        }
        if (state == State::Closed || t[0] == "a0") continue;
        if (t[0] == "END_IIR" || t[0] == "END_FIR") {
            state = State::Closed;
        } else if (state == State::Fir) {
            if (static_cast<int>(values.size()) >= filt::kMaxFirTaps) {
                m_ui.ShowMessage(FormatCount(fmsg::kFirTooManyTaps, filt::kMaxFirTaps),
                                 MessageIcon::Error);
                return 0;
            }
            values.push_back(CoefAtoF(t[0]));
            header.count = static_cast<int>(values.size());
        } else {
            if (sections >= filt::kMaxSections) {
                m_ui.ShowMessage(FormatCount(fmsg::kIirOrderTooLarge, filt::kMaxIirOrder),
                                 MessageIcon::Error);
                return 0;
            }
            values.resize(values.size() + 6);
            StoreSection(t, values.data() + values.size() - 6);
            header.count = 2 * ++sections;
        }
    }

    if (header.sectionType == 0) {
        if (sections != DeclaredSections(declaredOrder)) m_ui.ShowMessage(fmsg::kIirOrderWins);
        header.count = 2 * sections;
    } else {
        header.count = static_cast<int>(values.size());
        if (header.count != declaredOrder) m_ui.ShowMessage(fmsg::kFirTapsWin);
    }
    return 1;
}

int CoefFile::ReadIir(CoefFileHeader& header, BiquadTable& table) {
    header = CoefFileHeader();
    const auto path = m_ui.AskOpenFileName("", fmsg::kCoefOpenFilter);
    if (!path) return 0;
    return ReadIirFile(*path, header, table);
}

int CoefFile::ReadIirFile(const std::string& path, CoefFileHeader& header, BiquadTable& table) {
    enum class State { Header, Iir, Counted, Closed };
    ResetHeader(header, path);
    std::ifstream in;
    if (!OpenCoefFile(m_ui, path, in)) return 0;

    State state = State::Header;
    int declaredOrder = 0;
    int sections = 0;
    int countedLines = -1; // data lines of the last analog or component section; -1 none
    std::string line;
    for (int read = 2; ReadCoefLine(in, line); ++read) {
        if (read > filt::kMaxIirFileLines) {
            m_ui.ShowMessage(FormatCount(fmsg::kIirFileTooLong, filt::kMaxIirFileLines),
                             MessageIcon::Error);
            return 0;
        }
        const CoefTokens t = SplitCoefLine(line);
        if (t[0] == "END_ALL") break;
        if (t.count == 0) continue;
        if (state == State::Header) {
            ReadHeaderLine(t, header, declaredOrder);
            if (t[0] == "BEGIN_IIR") {
                state = State::Iir;
                header.sectionType = 0;
            }
            continue;
        }
        if (t[0] == "BEGIN_ANA" || t[0] == "BEGIN_ANACR" || t[0] == "BEGIN_CR") {
            state = State::Counted;
            countedLines = 0;
            continue;
        }
        if (t[0] == "a0" || t[0] == "C0") continue;
        if (t[0] == "END_IIR" || t[0] == "END_ANA" || t[0] == "END_ANACR" || t[0] == "END_CR") {
            state = State::Closed;
        } else if (state == State::Counted) {
            ++countedLines;
        } else if (state == State::Iir) {
            if (sections >= filt::kMaxSections) {
                m_ui.ShowMessage(FormatCount(fmsg::kIirOrderTooLarge, filt::kMaxIirOrder),
                                 MessageIcon::Error);
                return 0;
            }
            double six[6];
            StoreSection(t, six);
            table.a0[sections] = six[0];
            table.a1[sections] = six[1];
            table.a2[sections] = six[2];
            table.b0[sections] = six[3];
            table.b1[sections] = six[4];
            table.b2[sections] = six[5];
            header.count = 2 * ++sections;
        }
    }

    if (sections == 0) {
        m_ui.ShowMessage(fmsg::kNotIirFile, MessageIcon::Error);
        return 0;
    }
    if (sections != DeclaredSections(declaredOrder)) m_ui.ShowMessage(fmsg::kIirOrderWins);
    header.count = 2 * sections;
    if (countedLines >= 0 && countedLines != sections) m_ui.ShowMessage(fmsg::kAnalogOrder);
    return 1;
}

int PeekCoefSectionType(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (int i = 0; i <= filt::kMaxFirFileLines && ReadCoefLine(in, line); ++i) {
        const CoefTokens t = SplitCoefLine(line);
        if (t[0] == "BEGIN_FIR") return 1;
        if (t[0] == "BEGIN_IIR") return 0;
        if (t[0] == "END_ALL") break;
    }
    return -1;
}
