#include "view/WaveOverview.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

namespace {

// Integer sample of an image laid out like the document's wave image; 0 outside it.
int ImageSample(const CKymoDoc& doc, const std::uint8_t* image, int size, int frame, int channel) {
    if (!image || frame < 0 || channel < 1 || channel > doc.m_nChannel) return 0;
    if (doc.m_nBitsPerSample == 8) {
        const long long at = static_cast<long long>(doc.m_nHeadSize) +
                             static_cast<long long>(frame) * doc.m_nChannel + (channel - 1);
        return at < size ? static_cast<int>(image[at]) - 128 : 0;
    }
    const long long at = static_cast<long long>(doc.m_nHeadSize) +
                         static_cast<long long>(frame) * doc.m_nBlockSize + (channel - 1) * 2;
    if (at + 1 >= size) return 0;
    return static_cast<std::int16_t>(image[at] | (image[at + 1] << 8));
}

} // namespace

WaveEnvelope BuildWaveEnvelope(const CKymoDoc& doc) {
    return BuildImageEnvelope(doc, doc.m_pWaveImage.get(), doc.m_nWaveImageSize);
}

WaveEnvelope BuildImageEnvelope(const CKymoDoc& doc, const std::uint8_t* image, int size) {
    WaveEnvelope env;
    if (!image || doc.m_nFrames <= 0) return env;
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
            int mx = ImageSample(doc, image, size, u * per, channel);
            int mn = mx;
            for (int f = u * per + 1; f < (u + 1) * per; ++f) {
                const int v = ImageSample(doc, image, size, f, channel);
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
        PlotPrintf("ﾁｬﾝｸID=%s ----4", "RIFF"),
        PlotPrintf("ﾁｬﾝｸ(RIFF)のｻｲｽﾞ:tsz=%ld ----4", static_cast<long>(doc.m_nRiffSize)),
        PlotPrintf("ﾌｫｰﾑﾀｲﾌﾟ=%s ----4", "WAVE"),
        PlotPrintf("ｻﾌﾞﾁｬﾝｸ=%s ----4", "fmt"),
        PlotPrintf("ﾁｬﾝｸ(fmt)のｻｲｽﾞ=%ld ----4", 16L),
        PlotPrintf("PCMﾀｲﾌﾟ: m_nWavFormatType=%d ----2", doc.m_nWavFormatType),
        PlotPrintf("ﾁｬﾝﾈﾙ数:m_nChannel=%d ----2", doc.m_nChannel),
        PlotPrintf("ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄ:m_nSamplesPerSec=%ld ----4",
                   static_cast<long>(doc.m_nSamplesPerSec)),
        PlotPrintf("ｻﾝﾌﾟﾘﾝｸﾞﾊﾞｲﾄ:m_nBytesPerSec=%ld ----4", static_cast<long>(doc.m_nBytesPerSec)),
        PlotPrintf("ﾊﾞｲﾄ数xﾁｬﾝﾈﾙ数:m_nBlockSize=%d ----2", doc.m_nBlockSize),
        PlotPrintf("ｻﾝﾌﾟﾙﾋﾞｯﾄ:m_nBitsPerSample=%d ----2", doc.m_nBitsPerSample),
    };
    if (doc.m_nHeadSize > 44)
        lines.push_back(PlotPrintf("factﾁｬﾝｸあり=%s ----4,4,4の12バイト分", "fact"));
    lines.push_back(PlotPrintf("ｻﾌﾞﾁｬﾝｸ=%s ----4", "data"));
    lines.push_back(PlotPrintf("ﾁｬﾝｸ(data)のｻｲｽﾞ:m_nWavDataSize=%ld ----4",
                               static_cast<long>(doc.m_nWavDataSize)));
    lines.push_back("");
    lines.push_back(
        PlotPrintf("ﾍｯﾀﾞｰのｻｲｽﾞ:m_nHeadSize=%ld ----4", static_cast<long>(doc.m_nHeadSize)));
    const double dt = doc.m_nSamplesPerSec > 0 ? 1.0 / doc.m_nSamplesPerSec : 0.0;
    lines.push_back(
        PlotPrintf("時間刻み=%lf   ﾃﾞｰﾀｰ点数=%ld  ", dt, static_cast<long>(doc.m_nFrames)));
    if (doc.m_bWaveReplaced)
        lines.push_back(PlotPrintf("ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ後の波形です(%ldHz):元のﾌｧｲﾙは変わっていません",
                                   static_cast<long>(doc.m_nSamplesPerSec)));
    lines.push_back("");
    lines.push_back(PlotPrintf("disp_mode1=%d   disp_mode3=%d", doc.disp_mode1, doc.disp_mode3));
    return lines;
}

std::string FilterResultLine(const CKymoDoc& doc) {
    const CKymoDoc::FilterUsed& f = doc.m_filterUsed;
    std::string line =
        f.iir ? PlotPrintf("IIR Order=%d", f.count) : PlotPrintf("NumTap=%d", f.count);
    if (f.cutLow > 0) line += PlotPrintf("   Lpfc=%lf", f.cutLow);
    if (f.cutHigh > 0) line += PlotPrintf("   Hpfc=%lf", f.cutHigh);
    return line + PlotPrintf(" disp_mode1=%d disp_mode3=%d ", doc.disp_mode1, doc.disp_mode3);
}

void DrawWavePanel(PlotCanvas& c, const PanelRect& r, const std::string& title, double seconds,
                   double amp) {
    const double W = r.W();
    const double H = r.H();
    DrawPanelFrame(c, r, std::string(), PanelGrid::Linear);
    c.Text(r.left + W / 2 - 35 * W / 340, r.upper + 20 * H / 230, title);
    c.Text(r.right - 20 * W / 340, r.lower - 8 * H / 230, PlotPrintf("%8.2e秒", seconds));
    c.Text(r.left - 40 * W / 340, r.upper + 20 * H / 230, PlotPrintf("%8.2e", amp));
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
        DrawHeaderLines(c, WaveHeaderLines(doc));
        doc.disp_mode0 = subreq::HeaderDrawn;
    }
}

void DrawHeaderLines(PlotCanvas& c, const std::vector<std::string>& lines) {
    // The header lines stand over the panels so that they can be read in full.
    int y = -20;
    for (const std::string& line : lines) {
        if (!line.empty()) c.Text(30, y, line);
        y -= 20;
    }
}

void DrawFilterOverview(PlotCanvas& c, CKymoDoc& doc, WaveEnvelope& wave, WaveEnvelope& filtered,
                        const PanelRect& upper, const PanelRect& lower) {
    const bool fresh = doc.disp_mode0 == subreq::FilterResult;
    if (fresh || wave.frames != doc.m_nFrames || wave.Empty()) {
        if (doc.m_nSamplesPerSec > 0) doc.m_fWaveDt = 1.0f / doc.m_nSamplesPerSec;
        doc.m_fWaveFrames = static_cast<float>(doc.m_nFrames);
        wave = BuildWaveEnvelope(doc);
        doc.m_fWaveAmp = wave.amp;
    }
    if (fresh || filtered.frames != doc.m_nFrames || filtered.Empty())
        filtered = BuildImageEnvelope(doc, doc.m_pFilterImage.get(), doc.m_nFilterImageSize);
    const double seconds = double(doc.m_fWaveFrames) * doc.m_fWaveDt;
    DrawWavePanel(c, upper, "[時間表示]", seconds, wave.amp);
    DrawEnvelope(c, upper, wave);
    DrawWavePanel(c, lower, "[FIRの結果表示]", seconds, filtered.amp);
    DrawEnvelope(c, lower, filtered);
    if (fresh) {
        std::vector<std::string> lines = WaveHeaderLines(doc);
        lines.back() = FilterResultLine(doc);
        DrawHeaderLines(c, lines);
        doc.disp_mode0 = subreq::HeaderDrawn;
    }
}
