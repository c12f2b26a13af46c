#include "cli/CliCommand.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeMessages.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(DesignCascadeCommand, WritesTheDesignAndItsRealization) {
    TempDir dir;
    const std::string path = dir.Path("lpf.csv");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"design",  "cascade", "--type", "elliptic", "--shape",   "lpf",
                      "--order", "5",       "--fl",   "1000",     "--ripple",  "0.5",
                      "--stop",  "60",      "--fs",   "48000",    "--realize", "e24",
                      "--r",     "22",      "--c",    "0.01",     "-o",        path},
                     out, err),
              0)
        << err.str();
    EXPECT_NE(out.str().find("order=5\nsections=3\n"), std::string::npos);
    EXPECT_NE(out.str().find("CR 2: "), std::string::npos);
    const auto bytes = TempDir::ReadFile(path);
    const std::string text(bytes.begin(), bytes.end());
    for (const char* line : {"Filter_Kind:,Elliptic,Filter_Shape:,LPF,Order:,5,", "BEGIN_ANA,",
                             "BEGIN_ANACR,", "BEGIN_CR,", "END_ALL,"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    CScriptedUi ui;
    CoefFile file(ui);
    CoefFileHeader header;
    BiquadTable table;
    ASSERT_EQ(file.ReadIirFile(path, header, table), 1);
    EXPECT_EQ(header.count, 6);
}

TEST(DesignCascadeCommand, InvalidParametersGiveTheToolsMessages) {
    struct Case {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"--shape", "bpf", "--order", "31"}, "IIR次数は2～30までとして下さい。"},
        {{"--fl", "30000"}, fmsg::kCutTooHigh},
        {{"--shape", "bsf", "--fl", "5000", "--fh", "4000"}, fmsg::kLowBelowHigh},
        {{"--type", "butter", "--ripple", "0.005"}, cmsg::kRippleLevel},
        {{"--type", "elliptic", "--ripple", "3", "--stop", "2"}, cmsg::kCoefficientsFailed},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"design", "cascade"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(words, out, err), 1) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "cascade", "--fs", "32000"}, out, err), 2);
}

} // namespace
