#include "cli/CliCommand.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal pair standing for the board: the program opens the slave by its path, the
// board thread reads and answers on the master.
class PtyBoard {
public:
    // `echo`: answer each line (LF) with itself and the start command (CR) with CR.
    explicit PtyBoard(bool echo) : m_echo(echo) {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) return;
        termios t{};
        tcgetattr(m_slave, &t);
        cfmakeraw(&t);
        tcsetattr(m_slave, TCSANOW, &t);
        m_path = name;
        m_thread = std::thread([this] { Serve(); });
    }
    ~PtyBoard() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        if (m_slave >= 0) close(m_slave);
        if (m_master >= 0) close(m_master);
    }
    const std::string& Path() const { return m_path; }
    // Everything the board received (read after the command returned).
    std::string Received() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_got;
    }

private:
    void Serve() {
        std::string line;
        while (!m_stop) {
            pollfd p{m_master, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;
            char c = 0;
            if (read(m_master, &c, 1) != 1) continue;
            m_got.push_back(c);
            line.push_back(c);
            if (c == '\n' || c == '\r') {
                if (m_echo && write(m_master, line.data(), line.size()) < 0) return;
                line.clear();
            }
        }
    }

    bool m_echo;
    int m_master = -1, m_slave = -1;
    std::string m_path;
    std::string m_got;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct Result {
    int rc;
    std::string out, err;
};

Result Transfer(const std::vector<std::string>& extra) {
    std::vector<std::string> words = {"transfer"};
    words.insert(words.end(), extra.begin(), extra.end());
    std::ostringstream out, err;
    const int rc = RunCli(words, out, err);
    return {rc, out.str(), err.str()};
}

std::string WriteFir(const TempDir& dir, const std::vector<double>& taps) {
    CScriptedUi ui;
    const std::string path = dir.Path("fir.csv");
    CoefFile(ui).WriteFir(path, "Win_Rect", "LPF", 1000.0, 0.0, static_cast<int>(taps.size()),
                          taps.data());
    return path;
}

} // namespace

// A board that echoes every line: the bytes are the hand-computed lines, the status ends with
// "Complete_" and the last echo, and the start command is answered.
TEST(TransferCli, EchoingBoardCompletes) {
    TempDir dir;
    PtyBoard board(true);
    ASSERT_FALSE(board.Path().empty());
    const Result r = Transfer({"--port", board.Path(), "--coef", WriteFir(dir, {0.5, -2.0, 1.0}),
                               "--baud", "9600", "--run"});
    ASSERT_EQ(r.rc, 0) << r.out << r.err;
    EXPECT_NE(r.err.find("FIR係数を2.000000で正規化して表現します"), std::string::npos);
    EXPECT_NE(r.out.find(" /* Status */\r\nComPort=" + board.Path() +
                         "\r\nBaudRate=9600\r\nNumTaps=3\r\nComplete_16384\n\r\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Start_Processing!!!"), std::string::npos);
    EXPECT_EQ(board.Received(), "8192\n-32766\n16384\n\r");
}

// The float format sends "%e" with a three-digit exponent and never normalises.
TEST(TransferCli, FloatLines) {
    TempDir dir;
    PtyBoard board(true);
    const Result r = Transfer(
        {"--port", board.Path(), "--coef", WriteFir(dir, {0.5, -1.25, 3.0}), "--format", "float"});
    ASSERT_EQ(r.rc, 0) << r.out << r.err;
    EXPECT_EQ(r.err.find("正規化"), std::string::npos);
    EXPECT_EQ(board.Received(), "5.000000e-001\n-1.250000e+000\n3.000000e+000\n");
}

// A silent board: after the read timeout the connection message and the failure status.
TEST(TransferCli, SilentBoardReportsTheConnection) {
    TempDir dir;
    PtyBoard board(false);
    const Result r = Transfer({"--port", board.Path(), "--coef", WriteFir(dir, {0.25})});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("COMの接続に異常があります"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("NumTaps=0\r\nFailure!!"), std::string::npos) << r.out;
    EXPECT_EQ(board.Received(), "8192\n");
}

TEST(TransferCli, MissingPortCannotConnect) {
    TempDir dir;
    const Result r = Transfer({"--port", dir.Path("no-such-tty"), "--coef", WriteFir(dir, {0.25})});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("通信を確立できません"), std::string::npos) << r.err;
}
