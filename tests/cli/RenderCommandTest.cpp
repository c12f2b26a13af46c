#include "cli/CliCommand.h"
#include "support/WavBuilder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sstream>

namespace {

int RunWords(const std::vector<std::string>& words, std::string* err = nullptr) {
    std::ostringstream out, errs;
    const int rc = RunCli(words, out, errs);
    if (err) *err = errs.str();
    return rc;
}

TEST(RenderCommand, DrawsTheWholeWaveOfAStereoFileIntoAPng) {
    TempDir dir;
    const std::string wav = dir.Path("stereo.wav");
    TempDir::WriteFile(wav, BuildWav(WavFormat{}, SineSamples(4800, 2, 15000, 0.002)));
    const std::string png = dir.Path("view.png");
    ASSERT_EQ(RunWords({"render", wav, "--size", "600x640", "-o", png}), 0);
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(600, 640));
    // The ch1 envelope pen appears inside the upper panel.
    int green = 0;
    for (int y = 60; y <= 280; ++y)
        for (int x = 100; x <= 440; ++x)
            if ((image.pixel(x, y) & 0xffffff) == 0x28b428) ++green;
    EXPECT_GT(green, 200);
}

TEST(RenderCommand, RefusesBadOptions) {
    TempDir dir;
    const std::string wav = dir.Path("mono.wav");
    WavFormat format;
    format.channels = 1;
    TempDir::WriteFile(wav, BuildWav(format, SineSamples(1000, 1, 1000, 0.01)));
    std::string err;
    EXPECT_EQ(RunWords({"render", wav, "--kind-mode", "nyquist", "-o", dir.Path("a.png")}, &err),
              1);
    EXPECT_NE(err.find("--kind-mode"), std::string::npos);
    EXPECT_EQ(RunWords({"render", wav, "--size", "10x", "-o", dir.Path("a.png")}, &err), 1);
    EXPECT_EQ(RunWords({"render", wav}), 2);
    EXPECT_EQ(RunWords({"render", dir.Path("missing.wav"), "-o", dir.Path("a.png")}), 1);
}

} // namespace
