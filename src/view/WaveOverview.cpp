#include "view/WaveOverview.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

WaveEnvelope BuildWaveEnvelope(const CKymoDoc& doc) {
    WaveEnvelope env;
    if (!doc.HasWave() || doc.m_nFrames <= 0) return env;
    const int code = doc.disp_mode3 > chan::FilteredOffset ? doc.disp_mode3 - chan::FilteredOffset
                                                           : doc.disp_mode3;
    env.ch1 = code == chan::Ch1 || code == chan::Both;
    env.ch2 = (code == chan::Ch2 || code == chan::Both) && doc.m_nChannel > 1;
    env.frames = doc.m_nFrames;
    const int m = EnvelopeSegments(env.frames);
    const int per = env.frames / m;
    env.segments = m;
    float amp = 0;
    auto build = [&](int channel, std::vector<float>& hi, std::vector<float>& lo) {
        hi.assign(m, 0.0f);
        lo.assign(m, 0.0f);
        for (int u = 0; u < m; ++u) {
            int mx = doc.GetSample(u * per, channel);
            int mn = mx;
            for (int f = u * per + 1; f < (u + 1) * per; ++f) {
                const int v = doc.GetSample(f, channel);
                mx = std::max(mx, v);
                mn = std::min(mn, v);
            }
            hi[u] = static_cast<float>(mx);
            lo[u] = static_cast<float>(mn);
            amp = std::max({amp, std::fabs(hi[u]), std::fabs(lo[u])});
        }
    };
    if (env.ch1) build(1, env.max1, env.min1);
    if (env.ch2) build(2, env.max2, env.min2);
    env.amp = amp > 0 ? amp : 1.0f;
    return env;
}

std::vector<std::string> WaveHeaderLines(const CKymoDoc& doc) {
    std::vector<std::string> lines = {
        Format("ﾁｬﾝｸID=%s ----4", "RIFF"),
        Format("ﾁｬﾝｸ(RIFF)のｻｲｽﾞ:tsz=%ld ----4", static_cast<long>(doc.m_nRiffSize)),
        Format("ﾌｫｰﾑﾀｲﾌﾟ=%s ----4", "WAVE"),
        Format("ｻﾌﾞﾁｬﾝｸ=%s ----4", "fmt"),
        Format("ﾁｬﾝｸ(fmt)のｻｲｽﾞ=%ld ----4", 16L),
        Format("PCMﾀｲﾌﾟ: m_nWavFormatType=%d ----2", doc.m_nWavFormatType),
        Format("ﾁｬﾝﾈﾙ数:m_nChannel=%d ----2", doc.m_nChannel),
        Format("ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄ:m_nSamplesPerSec=%ld ----4", static_cast<long>(doc.m_nSamplesPerSec)),
        Format("ｻﾝﾌﾟﾘﾝｸﾞﾊﾞｲﾄ:m_nBytesPerSec=%ld ----4", static_cast<long>(doc.m_nBytesPerSec)),
        Format("ﾊﾞｲﾄ数xﾁｬﾝﾈﾙ数:m_nBlockSize=%d ----2", doc.m_nBlockSize),
        Format("ｻﾝﾌﾟﾙﾋﾞｯﾄ:m_nBitsPerSample=%d ----2", doc.m_nBitsPerSample),
    };
    if (doc.m_nHeadSize > 44)
        lines.push_back(Format("factﾁｬﾝｸあり=%s ----4,4,4の12バイト分", "fact"));
    lines.push_back(Format("ｻﾌﾞﾁｬﾝｸ=%s ----4", "data"));
    lines.push_back(
        Format("ﾁｬﾝｸ(data)のｻｲｽﾞ:m_nWavDataSize=%ld ----4", static_cast<long>(doc.m_nWavDataSize)));
    lines.push_back("");
    lines.push_back(
        Format("ﾍｯﾀﾞｰのｻｲｽﾞ:m_nHeadSize=%ld ----4", static_cast<long>(doc.m_nHeadSize)));
    const double dt = doc.m_nSamplesPerSec > 0 ? 1.0 / doc.m_nSamplesPerSec : 0.0;
    lines.push_back(Format("時間刻み=%lf   ﾃﾞｰﾀｰ点数=%ld  ", dt, static_cast<long>(doc.m_nFrames)));
    lines.push_back("");
    lines.push_back(Format("disp_mode1=%d   disp_mode3=%d", doc.disp_mode1, doc.disp_mode3));
    return lines;
}

void DrawWavePanel(PlotCanvas& c, const PanelRect& r, const std::string& title, double seconds,
                   double amp) {
    const double W = r.W();
    const double H = r.H();
    DrawPanelFrame(c, r, std::string(), PanelGrid::Linear);
    c.Text(r.left + W / 2 - 35 * W / 340, r.upper + 20 * H / 230, title);
    c.Text(r.right - 20 * W / 340, r.lower - 8 * H / 230, Format("%8.2e秒", seconds));
    c.Text(r.left - 40 * W / 340, r.upper + 20 * H / 230, Format("%8.2e", amp));
    c.Text(r.left - 10 * W / 340, r.Mid() + 5 * H / 230, std::string("0"));
}

void DrawEnvelope(PlotCanvas& c, const PanelRect& r, const WaveEnvelope& env) {
    if (env.Empty()) return;
    const double mid = r.Mid();
    const double h = r.upper - mid;
    const int m = env.segments;
    auto trace = [&](const std::vector<float>& hi, const std::vector<float>& lo) {
        QPolygonF pts;
        pts.reserve(2 * m);
        for (int u = 0; u < m; ++u) {
            const double x = r.left + double(r.W()) * u / m;
            pts.append(QPointF(x, mid + h * hi[u] / env.amp));
            pts.append(QPointF(x, mid + h * lo[u] / env.amp));
        }
        c.Polyline(pts);
    };
    if (env.ch1) {
        c.SetCopy();
        c.SetPen(plotcolour::WaveCh1());
        trace(env.max1, env.min1);
    }
    if (env.ch2) {
        c.SetRasterOp(QPainter::RasterOp_NotSourceAndDestination);
        c.SetPen(plotcolour::WaveCh2());
        trace(env.max2, env.min2);
        c.SetCopy();
    }
}

void DrawWaveOverview(PlotCanvas& c, CKymoDoc& doc, WaveEnvelope& env, const PanelRect& upper,
                      const PanelRect& lower) {
    const bool justLoaded = doc.disp_mode0 == subreq::RawWave;
    if (justLoaded || env.frames != doc.m_nFrames || env.Empty()) {
        if (doc.m_nSamplesPerSec > 0) doc.m_fWaveDt = 1.0f / doc.m_nSamplesPerSec;
        doc.m_fWaveFrames = static_cast<float>(doc.m_nFrames);
        env = BuildWaveEnvelope(doc);
        doc.m_fWaveAmp = env.amp;
    }
    DrawWavePanel(c, upper, "[時間表示]", double(doc.m_fWaveFrames) * doc.m_fWaveDt, env.amp);
    DrawEnvelope(c, upper, env);
    DrawWavePanel(c, lower, "[エリア表示]", double(doc.m_nPoints) * doc.m_fWaveDt, env.amp);
    if (justLoaded) {
        // The header lines stand over the panels so that they can be read in full.
        int y = -20;
        for (const std::string& line : WaveHeaderLines(doc)) {
            if (!line.empty()) c.Text(30, y, line);
            y -= 20;
        }
        doc.disp_mode0 = subreq::HeaderDrawn;
    }
}
