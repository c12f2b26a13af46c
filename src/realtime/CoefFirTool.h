#pragma once

#include "filters/CoefFile.h"
#include "realtime/RtFirTool.h"

#include <string>
#include <vector>

// Entries of the window list "窓関数" of the coefficient-file and free-form tools: window kind
// = entry + 1 ("ﾄﾗｲｱﾝｸﾞﾙ" ... "ｶｲｻﾞｰ", "窓なし").
namespace rtwindow {
constexpr int kCount = 6;
constexpr int kNone = 5;     // "窓なし": the rectangular window
constexpr int kBlackman = 3; // "ﾌﾞﾗｯｸﾏﾝ"
const char* Name(int entry);
} // namespace rtwindow

// "係数ﾌｧｲﾙによるFIR処理" (`CCoefFirDlg`): runs the taps of an FIR coefficient file, windowed,
// optionally as their inverse filter. The working taps are h[k] = E w[k] p[k]: w the window of
// the list, p the taps through the inverse filter (E = 10^(0.05 inverse gain)) or through the
// forward DFT and back (E = 1), each with the optional dynamic-range limiter.
class CCoefFirTool : public CRtFirTool {
public:
    struct Options {
        int windowEntry = rtwindow::kNone;
        bool inverse = false;
        double inverseGainDb = 0.0; // edit 1256
        bool limiter = false;
        double limitDb = 60.0; // "Dﾚﾝｼﾞ_ﾘﾐｯﾀｰ", edit 1258
    };

    CCoefFirTool(CKymoDoc& doc, ISoundCard& card);

    // "係数読出し": stops a running tool (with its message), reads a file chosen in the open
    // dialog, or `path` when given. An IIR file gives "IIRの係数を読み出していませんか？" and no
    // taps. On success the working taps are formed and their response shown. 1 read.
    int OnRead(const std::string& path = {});
    bool FileRead() const { return !m_fileTaps.empty(); }
    const CoefFileHeader& Header() const { return m_header; }
    // The "Property" text of the file read.
    std::string PropertyText() const;

    const Options& GetOptions() const { return m_options; }
    void SetOptions(const Options& o) { m_options = o; }
    // "保存": "FIR_CoefData" as a coefficient file (.csv) or the magnitude response as
    // measurement data (.opr). 1 written.
    int OnSave() override;

protected:
    bool DesignTaps(int fs, std::vector<double>& taps) override;
    FirSaveInfo SaveInfo() const override;
    void ShowDesignResponse() override;

private:
    // The working taps of the file's taps; false (reported) when a transform failed.
    bool FormTaps(std::vector<double>& taps);

    std::vector<double> m_fileTaps;
    CoefFileHeader m_header;
    Options m_options;
};
