#include "realtime/CascadeIirTool.h"

#include "document/CKymoDoc.h"
#include "filters/CascadeDocumentParams.h"
#include "filters/StageTopology.h"
#include "realtime/CutSliders.h"
#include "realtime/QuietUi.h"
#include "realtime/RtMessages.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

CCascadeIirTool::CCascadeIirTool(CKymoDoc& doc, ISoundCard& card)
    : CRtStageTool(doc, card), m_params(CascadeParamsFromDocument(doc)) {
    m_nSlider1 = CutSliderPosition(m_params.cutLow);
    m_nSlider2 = CutSliderPosition(m_params.cutHigh);
}

bool CCascadeIirTool::Validate() {
    m_params.rateChoice = RateIndex();
    CascadeField field = CascadeField::None;
    const bool ok = m_design.Validate(m_params, m_nStage - 1, m_doc.Ui(), &field) != 0;
    m_failed.reset();
    if (!ok) m_failed = field;
    if (ok) {
        m_nSlider1 = CutSliderPosition(m_params.cutLow);
        m_nSlider2 = CutSliderPosition(m_params.cutHigh);
    }
    return ok;
}

bool CCascadeIirTool::Compute(IDocumentUi& ui) {
    m_params.rateChoice = RateIndex();
    if (!m_design.ComputeCoefficients(m_params, m_bRealize, m_nSeries, ui)) return false;
    if (m_bRealize && m_design.RealizeFailed()) m_bRealize = false;
    m_engine->SetCascade(m_design.Order(), m_design.Iir());
    return true;
}

bool CCascadeIirTool::Design(int) {
    ClearSlowStop();
    if (!Validate()) return false;
    return Compute(m_doc.Ui());
}

const BiquadTable& CCascadeIirTool::ResponseTable(int& source) const {
    if (m_bRealize && m_nSeries == kSeriesSFunction) {
        source = 2;
        return m_design.Ana();
    }
    if (m_bRealize && m_design.TableSet() >= 3) {
        source = 1;
        return m_design.AnaCr();
    }
    source = 0;
    return m_design.Iir();
}

void CCascadeIirTool::SetParams(const CascadeParams& p) {
    m_params = p;
    if (!IsRunning() || !Validate()) return;
    if (Compute(m_doc.Ui())) RefreshDesignDisplay();
}

void CCascadeIirTool::SetShape(int shapeCode) {
    const bool wasBand = shape::HasTwoEdges(m_params.shape);
    m_params.shape = std::clamp(shapeCode, 0, 3);
    if (wasBand && !shape::HasTwoEdges(m_params.shape)) m_nStage = 1;
    if (Validate()) Restart();
}

void CCascadeIirTool::SetKind(int kind) {
    m_params.kind = std::clamp(kind, 0, 3);
    m_params.rateChoice = RateIndex();
    CascadeField field = CascadeField::None;
    m_failed.reset();
    if (!m_design.ValidateKindChange(m_params, m_nStage - 1, m_doc.Ui(), &field)) {
        m_failed = field;
        return;
    }
    Restart();
}

void CCascadeIirTool::SetChannel(int index) {
    CRtFilterTool::SetChannel(index);
    if (IsRunning() && Validate()) Restart();
}

void CCascadeIirTool::SetLineOut(int mode) {
    CRtFilterTool::SetLineOut(mode);
    if (IsRunning() && Validate()) Restart();
}

void CCascadeIirTool::OnCutSlider(int which, int position) {
    if (ApplySlowRule(nullptr)) m_bSliderStopped = true;
    const bool band = shape::HasTwoEdges(m_params.shape);
    if (which == 2 && !band) return;
    const CascadeParams before = m_params;
    const int slider1 = m_nSlider1, slider2 = m_nSlider2;
    int moved;
    if (which == 1) {
        moved = m_nSlider1 =
            std::min(std::clamp(position, 0, cutslider::kMax), cutslider::kMax - 1);
        m_params.cutLow = CutSliderFrequency(m_nSlider1);
        if (m_params.cutLow >= m_params.cutHigh) {
            m_nSlider2 = m_nSlider1 + 1;
            m_params.cutHigh = CutSliderFrequency(m_nSlider2);
        }
    } else {
        moved = m_nSlider2 = std::max(std::clamp(position, 0, cutslider::kMax), 1);
        m_params.cutHigh = CutSliderFrequency(m_nSlider2);
        if (m_params.cutHigh <= m_params.cutLow) {
            m_nSlider1 = m_nSlider2 - 1;
            m_params.cutLow = CutSliderFrequency(m_nSlider1);
        }
    }
    if (!IsRunning() && !m_bSliderStopped) return;
    CQuietUi quiet;
    bool ok = Compute(band ? static_cast<IDocumentUi&>(quiet) : m_doc.Ui());
    // A band design that cannot be reached: f1 one position lower at a time, down to 0.
    for (int step = 1; !ok && band && moved - step >= 0; ++step) {
        m_nSlider1 = moved - step;
        m_params.cutLow = CutSliderFrequency(m_nSlider1);
        ok = m_params.cutLow < m_params.cutHigh && Compute(quiet);
    }
    if (!ok) {
        if (band) m_doc.Ui().ShowMessage(rtmsg::kSliderNoDesign);
        m_params = before;
        m_nSlider1 = slider1;
        m_nSlider2 = slider2;
        return;
    }
    RefreshDesignDisplay();
}

void CCascadeIirTool::OnSliderReleased() {
    if (!m_bSliderStopped) return;
    m_bSliderStopped = false;
    if (m_nDisplay != stagedisplay::Cumulative || IsRunning()) return;
    OnStart();
}

bool CCascadeIirTool::OnRealize(bool on) {
    if (!m_design.HasDesign() || !IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kStartFirst);
        return false;
    }
    m_bRealize = on;
    if (on && m_nSeries != kSeriesSFunction) {
        m_design.ClearRealizeFailure();
        if (!m_design.Realize(m_nSeries, m_doc.Ui())) return false;
    }
    RefreshDesignDisplay();
    return true;
}

void CCascadeIirTool::OnSeries(int series) {
    m_nSeries = std::clamp(series, 0, static_cast<int>(kSeriesSFunction));
    if (!m_bRealize || !m_design.HasDesign()) return;
    if (m_nSeries != kSeriesSFunction) {
        m_design.ClearRealizeFailure();
        if (!m_design.Realize(m_nSeries, m_doc.Ui())) return;
    }
    RefreshDesignDisplay();
}

void CCascadeIirTool::SetReference(double kOhm, double uF) {
    m_params.refResistorK = kOhm;
    m_params.refCapacitorU = uF;
}

double CCascadeIirTool::ReferenceKOhm() const {
    return m_params.refResistorK;
}

double CCascadeIirTool::ReferenceUF() const {
    return m_params.refCapacitorU;
}

bool CCascadeIirTool::OnEnter() {
    if (!m_bRealize) return false;
    if (!Validate()) return false;
    if (!Compute(m_doc.Ui())) return false;
    if (m_nSeries != kSeriesSFunction) RefreshDesignDisplay();
    return true;
}

void CCascadeIirTool::OnStageChanged() {
    m_params.refResistorK = m_design.RefResistor(m_nStage - 1) * 0.001;
    m_params.refCapacitorU = m_design.RefCapacitor(m_nStage - 1) * 1.0e6;
}

bool CCascadeIirTool::PrepareResponse() {
    if (!m_bRealize || m_nSeries == kSeriesSFunction || !m_design.HasDesign()) return true;
    m_design.ClearRealizeFailure();
    return m_design.Realize(m_nSeries, m_doc.Ui()) != 0;
}

int CCascadeIirTool::OnSave() {
    if (!IsRunning() || !m_design.HasDesign()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    const int monitor = m_engine->MonitorCode();
    m_engine->SetMonitorCode(0);
    m_engine->SetMute(true);
    const int written = m_design.Save(m_doc.Ui());
    m_engine->SetMute(false);
    m_engine->SetMonitorCode(monitor);
    return written;
}

std::vector<std::string> CCascadeIirTool::StageLines() const {
    if (!m_design.HasDesign()) return {};
    const int k = std::clamp(m_nStage, 1, m_design.Sections()) - 1;
    if (!m_bRealize) return SectionLines(m_design.Iir(), k);
    std::vector<std::string> lines{"Cascade No.=" + std::to_string(k + 1)};
    if (m_nSeries == kSeriesSFunction) {
        const BiquadTable& t = m_design.Ana();
        lines.push_back(Format("%2.2e(s^2)+%2.2e(s)+%2.2e", t.b2[k], t.b1[k], t.b0[k]));
        lines.push_back(Format("%2.2e(s^2)+%2.2e(s)+%2.2e", t.a2[k], t.a1[k], t.a0[k]));
    }
    return lines;
}

void CCascadeIirTool::BeforeClose() {
    StoreCascadeParams(m_params, m_doc);
    CRtStageTool::BeforeClose();
}
