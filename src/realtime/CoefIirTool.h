#pragma once

#include "filters/CoefFile.h"
#include "realtime/RtStageTool.h"

#include <string>

// "係数ﾌｧｲﾙによるIIR処理" (`CCoefIirDlg`): runs the sections of an IIR coefficient file with
// CascadeFilterPcm. Its channel list offers "Lchのみ", "Rchのみ", "Both_ch"; channel and
// line-out changes take effect at the next buffer. On closing it puts back the document's
// sampling rate rather than the measurement rate.
class CCoefIirTool : public CRtStageTool {
public:
    CCoefIirTool(CKymoDoc& doc, ISoundCard& card);

    // "読出し": stops a running tool (with its message), reads a file chosen in the open dialog,
    // or `path` when given. 1 read.
    int OnRead(const std::string& path = {});
    bool FileRead() const { return m_bRead; }
    const CoefFileHeader& Header() const { return m_header; }
    const BiquadTable& Table() const { return m_table; }
    int Order() const { return m_header.count; }
    std::string PropertyText() const;
    void SetChannel(int index) override;
    int Sections() const override { return m_bRead ? m_header.count / 2 : 0; }
    // The panel picture's lines for stage k.
    std::vector<std::string> StageLines() const;

protected:
    bool Design(int fs) override;
    const BiquadTable& ResponseTable(int& source) const override;
    bool HasDesign() const override { return m_bRead; }
    bool MayChooseDisplay() override;
    void RestoreRate() override;

private:
    CoefFileHeader m_header;
    BiquadTable m_table;
    bool m_bRead = false;
    int m_nSavedRate;
};
