#include "LiveCliSupport.h"

#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"
#include "view/PlotRoutines.h"
#include "view/Spectrum3dPicture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The rows of --csv: channel, row, then the levels of the bins.
struct CsvRow {
    int channel = 0, row = 0;
    std::vector<float> bins;
};

std::vector<CsvRow> ReadRows(const std::string& path) {
    std::vector<CsvRow> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        CsvRow r;
        std::getline(fields, field, ',');
        r.channel = std::stoi(field);
        std::getline(fields, field, ',');
        r.row = std::stoi(field);
        while (std::getline(fields, field, ',')) r.bins.push_back(std::stof(field));
        rows.push_back(r);
    }
    return rows;
}

int Peak(const std::vector<float>& v, int from, int to) {
    int best = from;
    for (int k = from; k < to; ++k)
        if (v[k] > v[best]) best = k;
    return best;
}

// Two tones at 3 kHz and 12 kHz (bins 64 and 256 of 1024 points at 48 kHz): every stored row
// peaks at both, and in the picture the last row's tone bins stand where the projection puts
// them, in the hue of their height.
TEST(LiveWaterfallCli, TwoTonesMakeTwoRidgesAtTheirFrequencies) {
    TempDir dir;
    const std::string png = dir.Path("w.png"), csv = dir.Path("rows.csv");
    const int rows = 12;
    const CliRunResult r =
        RunCliWords({"live", "waterfall", "--device", "virtual", "--dut",
                     "in1=src;in2=src;src=tone:3000:8000+tone:12000:3000;dut2=gain:0.5", "--points",
                     "1024", "--window", "none", "--average", "1", "--rows", std::to_string(rows),
                     "-o", png, "--csv", csv});
    ASSERT_EQ(r.rc, 0) << r.err;
    const std::vector<CsvRow> stored = ReadRows(csv);
    ASSERT_EQ(stored.size(), 2u * rows);
    for (const CsvRow& row : stored) {
        ASSERT_EQ(row.bins.size(), 512u);
        EXPECT_EQ(Peak(row.bins, 1, 128), 64) << row.channel << " " << row.row;
        EXPECT_EQ(Peak(row.bins, 128, 512), 256) << row.channel << " " << row.row;
        EXPECT_NEAR(row.bins[64], row.channel == 1 ? 4000 : 2000, 40);
    }

    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 1000));
    // The document of the run (log axis off, default angles and levels) gives the origins.
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.m_bLogAxis = 0;
    Picture3dState st;
    QImage scratch(800, 1000, QImage::Format_RGB32);
    const Layout3d l = LargeLayout3d();
    const int centre = (doc.m_nGraphLeft + doc.m_nGraphRight) / 2;
    Draw3dAxes(scratch, st, doc, l, 1, centre, 0, "");
    Draw3dAxes(scratch, st, doc, l, 2, centre, 0, "");
    const Projection3d p(doc.m_nTheta3D, doc.m_nPhi3D);
    const double depth = static_cast<int>((rows - 1) * 0.5f);
    for (const CsvRow& row : stored) {
        if (row.row != rows - 1) continue;
        for (int k : {64, 256}) {
            const int h = Height3d(row.bins[k], 80, -20, l.H);
            const QPoint q = p.Project3d(BinX3d(k, 1024, 1.0 / 48000, false, l.W), depth, h);
            EXPECT_EQ(image.pixel(st.x0 + q.x(), st.y[row.channel - 1] + q.y()),
                      HueColour(7 * h).rgb())
                << row.channel << " bin " << k;
        }
    }
}

// With --repeat the history starts again after its 400 rows; the rows stored are those since.
TEST(LiveWaterfallCli, RepeatKeepsTheRowsSinceTheHistoryStartedAgain) {
    TempDir dir;
    const std::string png = dir.Path("w.png"), csv = dir.Path("rows.csv");
    const CliRunResult r =
        RunCliWords({"live", "waterfall", "--device", "virtual", "--dut",
                     "in1=src;src=tone:3000:8000", "--channels", "1", "--points", "128", "--rows",
                     "403", "--repeat", "--log", "-o", png, "--csv", csv});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(ReadRows(csv).size(), 3u);
    EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

TEST(LiveWaterfallCli, BadOptionsAreRefused) {
    EXPECT_EQ(RunCliWords({"live", "waterfall", "--rows", "5"}).rc, 2);
    EXPECT_EQ(RunCliWords({"live", "waterfall", "--rows", "401", "-o", "x.png"}).rc, 1);
    EXPECT_EQ(RunCliWords({"live", "waterfall", "--rows", "4", "--theta", "-3", "-o", "x.png"}).rc,
              1);
    EXPECT_EQ(RunCliWords({"live", "waterfall", "--rows", "4", "--average", "8", "-o", "x.png"}).rc,
              1);
}

} // namespace
