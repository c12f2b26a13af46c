#pragma once

#include "filters/CascadeIirDesign.h"
#include "realtime/RtStageTool.h"

#include <optional>
#include <string>
#include <vector>

// "Cascade IIR_Filter" (`CCascadeIirDlg`): the cascade design of the document's design fields
// with its optional op-amp realization, run in real time. Cut-off sliders and "Enter" design in
// place (the filter state kept); shape, kind, channel, line-out and rate changes restart.
class CCascadeIirTool : public CRtStageTool {
public:
    CCascadeIirTool(CKymoDoc& doc, ISoundCard& card);

    const CascadeParams& Params() const { return m_params; }
    // Edits of the design fields (order, ripple, stop level, cut-offs); a running tool checks
    // and designs again in place.
    void SetParams(const CascadeParams& p);
    // Shape list: switching between the pass shapes and the band shapes resets the stage to 1;
    // a running tool restarts after the check.
    void SetShape(int shape);
    // Kind list: the fields follow, the check after a kind change, a running tool restarts.
    void SetKind(int kind);
    void SetChannel(int index) override;
    void SetLineOut(int mode) override;
    std::optional<CascadeField> FailedField() const { return m_failed; }
    bool Validate();

    // Cut-off sliders 1 and 2 (positions 0 ... 60). A failing band design moves f1 down one
    // position at a time until the design is reached; at position 0 the previous cut-offs and
    // coefficients stay (with a message). On release a sound stopped by the slow-machine rule
    // restarts.
    void OnCutSlider(int which, int position);
    void OnSliderReleased();
    int SliderPosition(int which) const { return which == 1 ? m_nSlider1 : m_nSlider2; }

    // Realization "iir_op": needs a running design ("開始してからにして下さい！").
    bool OnRealize(bool on);
    bool RealizationOn() const { return m_bRealize; }
    // Series list: "E12", "E24", "実値", "s関数".
    void OnSeries(int series);
    int Series() const { return m_nSeries; }
    // R (kOhm) and C (uF) edits of the selected stage and "Enter".
    void SetReference(double kOhm, double uF);
    double ReferenceKOhm() const;
    double ReferenceUF() const;
    bool OnEnter();
    // "保存": the design with its table set (path asked). 1 written.
    int OnSave();

    const CascadeIirDesign& Design() const { return m_design; }
    int Sections() const override { return m_design.HasDesign() ? m_design.Sections() : 0; }
    // The panel picture's lines for stage k: the section, its s-function or its components.
    std::vector<std::string> StageLines() const;

protected:
    bool Design(int fs) override;
    const BiquadTable& ResponseTable(int& source) const override;
    bool HasDesign() const override { return m_design.HasDesign(); }
    bool PrepareResponse() override;
    void OnStageChanged() override;
    bool SlowRuleOncePerStart() const override { return true; }
    void BeforeClose() override;

private:
    bool Compute(IDocumentUi& ui);

    CascadeIirDesign m_design;
    CascadeParams m_params;
    std::optional<CascadeField> m_failed;
    bool m_bRealize = false;
    int m_nSeries = kSeriesE24;
    int m_nSlider1 = 0, m_nSlider2 = 0;
    bool m_bSliderStopped = false;
};
