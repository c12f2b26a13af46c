#include "tube/TubeFile.h"
#include "document/ScriptedUi.h"
#include "document/TextCodec.h"
#include "support/WavBuilder.h"
#include "tube/TubeBuiltins.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"
#include "tube/TubeValidation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

void Write(const std::string& path, const std::string& utf8) {
    const std::string bytes = Utf8ToCp932(utf8);
    TempDir::WriteFile(path, {bytes.begin(), bytes.end()});
}

// A minimal valid file with `curves` curve lines and `declared` curves in set_com[5].
std::string MakeFile(int curves, int declared, const std::string& extra = "") {
    std::string t = "真空管名,T1,\r\n";
    for (int i = 0; i < 14; ++i) t += "set_com," + std::to_string(i == 5 ? declared : 1) + ",\r\n";
    t += "//独立ﾃﾞｰﾀｰ,\r\n";
    for (int i = 0; i < 10; ++i) t += "set_both,1.5,2.5,\r\n";
    for (int i = 0; i < 18; ++i) t += "set_ope,0,\r\n";
    t += extra;
    for (int i = 0; i < curves; ++i)
        t += "多項式係数,0,0,0,0,0,0,1.0e-1,2," + std::to_string(-10 * i) + ",\r\n";
    return t + "end,\r\n";
}

} // namespace

TEST(TubeFile, BuiltinDataSurviveAWriteAndARead) {
    TempDir dir;
    for (int device = 0; device < 3; ++device) {
        TubeData d;
        ASSERT_TRUE(tube::BuiltinDevice(device, d));
        const std::string path = dir.Path("t.csv");
        ASSERT_TRUE(WriteTubeFile(path, d));
        CScriptedUi ui;
        TubeData back;
        ASSERT_EQ(ReadTubeFile(ui, path, back), 1) << device;
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(back.name, d.name);
        EXPECT_EQ(back.com, d.com);
        EXPECT_EQ(back.both, d.both);
        EXPECT_EQ(back.ope, d.ope);
        ASSERT_EQ(back.curves.size(), d.curves.size());
        for (std::size_t i = 0; i < d.curves.size(); ++i) {
            EXPECT_EQ(back.curves[i].grid, d.curves[i].grid);
            for (int k = 0; k < 8; ++k)
                EXPECT_NEAR(back.curves[i].coef[k], d.curves[i].coef[k],
                            1e-6 * std::abs(d.curves[i].coef[k]));
        }
    }
}

TEST(TubeFile, WritesTheLinesInCp932WithCrLf) {
    TempDir dir;
    TubeData d;
    ASSERT_TRUE(tube::BuiltinDevice(2, d));
    const std::string path = dir.Path("fet.csv");
    ASSERT_TRUE(WriteTubeFile(path, d));
    const std::string text = FileTextToUtf8(Text(TempDir::ReadFile(path)));
    EXPECT_EQ(text.rfind("真空管名,2SK30A(FET),\r\nset_com,10.000000,\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n//独立ﾃﾞｰﾀｰ,\r\nset_both,12.000000,12.000000,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n//動作条件等,\r\nset_ope,4,\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n//Gauss係数,\r\n多項式係数,0.000000e+00,"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "end,\r\n");
    EXPECT_FALSE(IsValidUtf8(Text(TempDir::ReadFile(path))));
}

TEST(TubeFile, RefusesMalformedFilesAndKeepsTheData) {
    const std::string longLine = "//" + std::string(600, 'x') + "\r\n";
    std::string manyCom = MakeFile(5, 5);
    manyCom.insert(manyCom.find("//独立"), "set_com,1,\r\n");
    std::string manyOpe = MakeFile(5, 5);
    manyOpe.insert(manyOpe.find("多項式"), "set_ope,1,\r\n");
    std::string shortCurve = MakeFile(5, 5);
    shortCurve.insert(shortCurve.find("end"), "多項式係数,1,2,3,\r\n");
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"unknown key", MakeFile(5, 5, "bogus,1,\r\n")},
        {"three curves", MakeFile(3, 3)},
        {"declared above present", MakeFile(5, 6)},
        {"fifteen set_com lines", manyCom},
        {"nineteen set_ope lines", manyOpe},
        {"twenty-one curves", MakeFile(21, 21)},
        {"curve without its values", shortCurve},
        {"line over 500 characters", MakeFile(5, 5, longLine)},
        {"number with junk", MakeFile(5, 5, "多項式係数,0,0,0,0,0,0,0,1x,-5,\r\n")},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.Path("bad.csv");
        Write(path, c.text);
        CScriptedUi ui;
        TubeData d;
        d.name = "before";
        EXPECT_EQ(ReadTubeFile(ui, path, d), 0) << c.what;
        EXPECT_EQ(d.name, "before") << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].text, tubemsg::kFormat) << c.what;
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    }
}

TEST(TubeFile, ReadsCommentsBlankLinesAndUtf8) {
    TempDir dir;
    const std::string path = dir.Path("ok.csv");
    const std::string text = MakeFile(4, 4, "\r\n// a note,\r\n");
    TempDir::WriteFile(path, {text.begin(), text.end()});
    CScriptedUi ui;
    TubeData d;
    ASSERT_EQ(ReadTubeFile(ui, path, d), 1);
    EXPECT_EQ(d.name, "T1");
    EXPECT_EQ(d.curves.size(), 4u);
    EXPECT_EQ(d.curves[3].grid, -30.0);
    EXPECT_FLOAT_EQ(d.both[9][1], 2.5f);
    EXPECT_DOUBLE_EQ(d.Current(0, 10.0), 0.1 * 10.0 + 2.0);
}

TEST(TubeFile, MissingFileCannotBeOpened) {
    TempDir dir;
    CScriptedUi ui;
    TubeData d;
    EXPECT_EQ(ReadTubeFile(ui, dir.Path("none.csv"), d), 0);
    ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{tubemsg::kCannotOpen});
}

TEST(TubeFile, TheShippedTriodeIsValid) {
    CScriptedUi ui;
    TubeData d;
    ASSERT_EQ(ReadTubeFile(ui, std::string(SONALYX_DATA_DIR) + "/tubes/300B.csv", d), 1);
    EXPECT_EQ(d.name, "300B");
    EXPECT_TRUE(ValidateTubeData(ui, d));
    EXPECT_TRUE(ValidateTubeOperating(ui, d.ope));
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts()[0];
}
