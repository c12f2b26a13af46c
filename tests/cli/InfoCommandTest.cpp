#include "cli/CliCommand.h"
#include "document/DocMessages.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>

TEST(CliInfo, PrintsTheWaveFields) {
    TempDir dir;
    WavFormat format;
    format.channels = 1;
    format.bits = 8;
    format.rate = 11025;
    TempDir::WriteFile(dir.Path("a.wav"), BuildWav(format, SineSamples(1000, 1, 100, 0.01)));
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"info", dir.Path("a.wav")}, out, err), 0);
    EXPECT_EQ(out.str(), "m_nChannel=1\n"
                         "m_nSamplesPerSec=11025\n"
                         "m_nBitsPerSample=8\n"
                         "m_nBlockSize=1\n"
                         "m_nHeadSize=44\n"
                         "m_nWavDataSize=1000\n"
                         "m_nFrames=1000\n"
                         "m_nRiffSize=1036\n"
                         "disp_mode1=3\n"
                         "disp_mode3=1\n");
    EXPECT_EQ(err.str(), "");
}

TEST(CliInfo, FailedOpenPrintsTheMessagesAndExits1) {
    TempDir dir;
    WavFormat format;
    format.bits = 24;
    TempDir::WriteFile(dir.Path("wide.wav"), BuildWav(format, {1, 2}));
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"info", dir.Path("wide.wav")}, out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), std::string(msg::kNoWide) + "\n" + msg::kOpenFailed + "\n");

    std::ostringstream out2, err2;
    EXPECT_EQ(RunCli({"info", dir.Path("missing.wav")}, out2, err2), 1);
    EXPECT_EQ(err2.str(), dir.Path("missing.wav") + "\n" + msg::kCannotOpenFile + "\n");
}

TEST(CliInfo, UsageErrors) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"info"}, out, err), 2);
    EXPECT_EQ(RunCli({"no-such-command"}, out, err), 2);
    EXPECT_EQ(RunCli({}, out, err), 2);
    EXPECT_EQ(RunCli({"help"}, out, err), 0);
    EXPECT_NE(out.str().find("info FILE"), std::string::npos);
}

// Memory that runs out inside a command is reported and the command fails; the program goes on.
TEST(CliRun, AllocationFailureEndsTheCommandWithTheMessage) {
    static const bool registered =
        RegisterCliCommand({"test-out-of-memory", "test-out-of-memory",
                            [](const CliArgs&, CliContext&) -> int { throw std::bad_alloc(); }});
    ASSERT_TRUE(registered);
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"test-out-of-memory"}, out, err), 1);
    EXPECT_EQ(err.str(), std::string(msg::kAllocFailed) + "\n");
}
