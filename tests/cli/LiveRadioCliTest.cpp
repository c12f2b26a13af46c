#include "cli/CliCommand.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
    int rc;
    std::string out, err;
};

Result RunRadio(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int rc = RunCli(words, out, err);
    return {rc, out.str(), err.str()};
}

} // namespace

// The USB loop of the test signal runs on the virtual card, records what it played and saves
// its settings, which a second run reads back.
TEST(LiveRadioCli, UsbLoopRunsAndItsSettingsReadBack) {
    TempDir dir;
    const Result r = RunRadio({"live", "radio", "--device", "virtual", "--mode", "usb",
                               "--test-signal", "--seconds", "1", "--record", dir.Path("out.wav"),
                               "--save-settings", dir.Path("radio.csv")});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("mode=USB変復調"), std::string::npos) << r.out;
    EXPECT_GT(TempDir::ReadFile(dir.Path("out.wav")).size(), 48000u * 4);
    const Result again =
        RunRadio({"live", "radio", "--device", "virtual", "--mode", "am", "--settings",
                  dir.Path("radio.csv"), "--seconds", "0.2", "--record", dir.Path("out2.wav")});
    ASSERT_EQ(again.rc, 0) << again.err;
    EXPECT_NE(again.out.find("mode=USB変復調"), std::string::npos) << again.out;
}

TEST(LiveRadioCli, RefusesABadSettingsFileAndMode) {
    TempDir dir;
    std::ofstream(dir.Path("bad.csv"), std::ios::binary)
        << "BEGIN_ALL,\r\nBEGIN_RADIO,\r\nm_tapbuf:,500,\r\nEND_RADIO,\r\n";
    const Result r =
        RunRadio({"live", "radio", "--device", "virtual", "--mode", "am", "--settings",
                  dir.Path("bad.csv"), "--seconds", "1", "--record", dir.Path("o.wav")});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("書式(csvﾌｧｲﾙ)の整合がとれません"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("読み出しに失敗しました。"), std::string::npos) << r.err;
    const Result m = RunRadio({"live", "radio", "--device", "virtual", "--mode", "dsb", "--seconds",
                               "1", "--record", dir.Path("o.wav")});
    EXPECT_EQ(m.rc, 2);
}
