#include "transfer/CoefTransfer.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadTable.h"
#include "filters/CoefFile.h"
#include "filters/CrTable.h"
#include "support/WavBuilder.h"
#include "transfer/CoefLines.h"
#include "transfer/SerialLine.h"
#include "transfer/TransferMessages.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// A board that echoes each line (or answers as scripted) and records what it got.
class FakeBoard : public ISerialLine {
public:
    bool opens = true;
    bool echo = true;
    int silentAfterLines = -1; // stop answering after this many lines (-1: never)
    std::string corruptLine;   // echoed instead of the line of this number
    int corruptAt = -1;
    std::string got;
    std::string device;
    int baud = 0;
    int opened = 0, closed = 0;

    bool Open(const std::string& d, int b) override {
        device = d;
        baud = b;
        if (opens) ++opened;
        return opens;
    }
    bool WriteByte(std::uint8_t byte) override {
        got.push_back(static_cast<char>(byte));
        m_line.push_back(static_cast<char>(byte));
        if (byte == '\n' || byte == '\r') {
            const bool silent = silentAfterLines >= 0 && m_lines >= silentAfterLines;
            if (echo && !silent) {
                const std::string answer = m_lines == corruptAt ? corruptLine : m_line;
                m_answer.insert(m_answer.end(), answer.begin(), answer.end());
            }
            ++m_lines;
            m_line.clear();
        }
        return true;
    }
    Read ReadByte(std::uint8_t& byte) override {
        if (m_answer.empty()) return Read::Timeout;
        byte = static_cast<std::uint8_t>(m_answer.front());
        m_answer.pop_front();
        return Read::Byte;
    }
    void Close() override { ++closed; }

private:
    std::string m_line;
    std::deque<char> m_answer;
    int m_lines = 0;
};

bool Saw(const CScriptedUi& ui, const std::string& text) {
    for (const auto& m : ui.messages)
        if (m.text == text) return true;
    return false;
}

TransferSettings Settings(int format) {
    TransferSettings s;
    s.coefFormat = format;
    return s;
}

} // namespace

TEST(CoefTransfer, BaudRatesOfTheList) {
    const int rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(BaudRateOfIndex(i), rates[i]) << i;
}

// Lines of each format, worked by hand; values beyond a format's range keep their sign.
TEST(CoefTransfer, LinesOfEachFormat) {
    struct Case {
        int format;
        double value;
        const char* line;
    };
    const Case cases[] = {
        {coefformat::Q15, 0.25, "8192\n"},   // trunc(8191.75 + 0.5)
        {coefformat::Q15, -1.0, "-32766\n"}, // trunc(-32766.5)
        {coefformat::Q15, 1.5, "32767\n"},   // 49151 would wrap to -16385
        {coefformat::Q15, -1.5, "-32768\n"},
        {coefformat::Q14, 0.5, "8192\n"},  // trunc(8191.5 + 0.5)
        {coefformat::Q14, 1.9, "31128\n"}, // trunc(31127.7 + 0.5)
        {coefformat::Q14, 2.5, "32767\n"},
        {coefformat::Q31, 0.5, "1073741824\n"},  // trunc(1073741823.5 + 0.5)
        {coefformat::Q31, 1.25, "2147483647\n"}, // beyond int32: saturated
        {coefformat::Q31, -3.0, "-2147483648\n"},
        {coefformat::Q30, -0.5, "-536870911\n"}, // trunc(-536870911.5 + 0.5)
        {coefformat::Float, 0.5, "5.000000e-001\n"},
        {coefformat::Float, -1234.5, "-1.234500e+003\n"},
        {coefformat::Float, 1e-120, "1.000000e-120\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(CoefLine(c.format, c.value, 1.0), c.line) << c.value;
}

// FIR taps 0.5, -2.0, 1.0 in "1_15型": normalised by 2 with the message, then 8192, -32766, 16384.
TEST(CoefTransfer, FirTransferNormalisesAndCompletes) {
    CScriptedUi ui;
    CCoefTransfer t(ui, Settings(coefformat::Q15));
    t.Preload(true, {0.5, -2.0, 1.0});
    EXPECT_EQ(t.Status(), "FIR_NumTaps=3");
    FakeBoard board;
    ASSERT_EQ(t.OnTx(board), 1);
    EXPECT_TRUE(Saw(ui, "FIR係数を2.000000で正規化して表現します"));
    EXPECT_EQ(board.got, "8192\n-32766\n16384\n");
    EXPECT_EQ(board.device, "/dev/ttyS1");
    EXPECT_EQ(board.baud, 115200);
    EXPECT_EQ(board.closed, 1);
    EXPECT_EQ(
        t.Status(),
        " /* Status */\r\nComPort=COM2\r\nBaudRate=115200\r\nNumTaps=3\r\nComplete_16384\n\r\n");
    EXPECT_TRUE(t.Sent());
    ASSERT_EQ(t.OnRun(board), 1);
    EXPECT_EQ(board.got.back(), '\r');
    EXPECT_EQ(t.Status(), xfermsg::kRunStatus);
    EXPECT_FALSE(t.Sent());
    EXPECT_EQ(t.OnRun(board), 0);
    EXPECT_TRUE(Saw(ui, xfermsg::kNotSent));
}

// IIR sections in "1_15型" and "2_14型": never rescaled; a value above 1 brings the advice in
// 1_15 and is limited, not wrapped.
TEST(CoefTransfer, IirFramesInQ15AndQ14) {
    const std::vector<double> section = {1.0, -1.5, 0.5625, 0.25, 0.5, 0.25};
    {
        CScriptedUi ui;
        CCoefTransfer t(ui, Settings(coefformat::Q15));
        t.Preload(false, section);
        EXPECT_EQ(t.Status(), "IIR_Section Num=2\nNumber of Data=6");
        FakeBoard board;
        ASSERT_EQ(t.OnTx(board), 1);
        EXPECT_TRUE(Saw(ui,
                        "IIR係数の最大値=1.500000なので、若しかしたら\n2_14、又は2_30系列(係数値を"
                        "半分にした)を使うのでは？"));
        EXPECT_EQ(board.got, "32767\n-32768\n18431\n8192\n16384\n8192\n");
    }
    {
        CScriptedUi ui;
        CCoefTransfer t(ui, Settings(coefformat::Q14));
        t.Preload(false, section);
        FakeBoard board;
        ASSERT_EQ(t.OnTx(board), 1);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(board.got, "16383\n-24574\n9215\n4096\n8192\n4096\n");
    }
}

TEST(CoefTransfer, FailuresAndTheirTexts) {
    CScriptedUi ui;
    CCoefTransfer t(ui, Settings(coefformat::Float));
    FakeBoard board;
    EXPECT_EQ(t.OnTx(board), 0);
    EXPECT_TRUE(Saw(ui, xfermsg::kNoFile));
    t.Preload(true, {0.5, 0.25, 0.125});
    board.opens = false;
    EXPECT_EQ(t.OnTx(board), 0);
    EXPECT_TRUE(Saw(ui, xfermsg::kCannotOpen));

    // A silent board after the first line: the timeout status with the value's index.
    FakeBoard silent;
    silent.silentAfterLines = 1;
    EXPECT_EQ(t.OnTx(silent), 0);
    EXPECT_TRUE(Saw(ui, xfermsg::kLineFault));
    EXPECT_EQ(t.Status(),
              "/* Status */\r\nComPort=COM2\r\nBaudRate=115200\r\nNumTaps=1\r\nFailure!!");
    EXPECT_EQ(silent.closed, 1);

    // A wrong echo ends the loop there.
    FakeBoard wrong;
    wrong.corruptAt = 2;
    wrong.corruptLine = "1.0\n";
    EXPECT_EQ(t.OnTx(wrong), 0);
    EXPECT_EQ(t.Status(),
              " /* Status *\r/\nComPort=COM2\r\nBaudRate=115200\r\nNumTaps=2\r\nFailure!!\r\n");
    EXPECT_FALSE(t.Sent());

    // Without the echo check a transfer ends with "May be Complete!".
    FakeBoard deaf;
    deaf.echo = false;
    t.SetEchoCheck(false);
    EXPECT_EQ(t.OnTx(deaf), 1);
    EXPECT_EQ(
        t.Status(),
        " /* Status */\r\nComPort=COM2\r\nBaudRate=115200\r\nNumTaps=3\r\nMay be Complete!\r\n");
}

// Files: a 200-tap FIR shows the overflow and is still sent in full; an IIR file of odd order
// sends the six values of every section it holds.
TEST(CoefTransfer, LoadedFiles) {
    TempDir dir;
    CScriptedUi ui;
    std::vector<double> taps(200, 0.001);
    ASSERT_EQ(
        CoefFile(ui).WriteFir(dir.Path("fir.csv"), "Win_Rect", "LPF", 100.0, 0.0, 200, taps.data()),
        1);
    CCoefTransfer t(ui, Settings(coefformat::Q15));
    ASSERT_EQ(t.LoadFile(dir.Path("fir.csv")), 1);
    EXPECT_EQ(t.Status(),
              "Tap Size Over!!!\r\nfor dsPIC30F2012\r\nFIR_NumTaps=200\r\nMax.Tap Size=128");
    FakeBoard board;
    ASSERT_EQ(t.OnTx(board), 1);
    std::string want;
    for (int i = 0; i < 200; ++i) want += "33\n"; // trunc(32.767 + 0.5)
    EXPECT_EQ(board.got, want);

    BiquadTable iir;
    for (int s = 0; s < 2; ++s) {
        iir.a0[s] = 1.0;
        iir.a1[s] = -0.5;
        iir.a2[s] = 0.25 * s;
        iir.b0[s] = 0.125;
        iir.b1[s] = 0.25;
        iir.b2[s] = 0.125 * s;
    }
    ui.fileAnswers.push_back(dir.Path("iir.csv"));
    ASSERT_EQ(CoefFile(ui).WriteIir(0, 0, 0, 3, 1000.0, 0.0, iir, BiquadTable{}, BiquadTable{},
                                    CrTable{}),
              1);
    ASSERT_EQ(t.LoadFile(dir.Path("iir.csv")), 1);
    EXPECT_FALSE(t.IsFir());
    EXPECT_EQ(t.Count(), 12);
    EXPECT_EQ(t.Status(), "IIR_Section Num=4\nNumber of Data=12");
    EXPECT_EQ(t.LoadFile(dir.Path("missing.csv")), 0);
    EXPECT_EQ(t.Status(), "File Read Error!!!");
    EXPECT_FALSE(t.Loaded());
}
