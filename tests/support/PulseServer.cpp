#include "support/PulseServer.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr double kStartSeconds = 20.0;
constexpr double kExitSeconds = 5.0;

void Sleep100ms() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

PulseServer::PulseServer() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
        m_hadRuntimeDir = true;
        m_oldRuntimeDir = old;
    }
    m_ok = Start();
}

PulseServer::~PulseServer() {
    if (Running() && !Exit()) Kill();
    if (m_hadRuntimeDir)
        setenv("XDG_RUNTIME_DIR", m_oldRuntimeDir.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
    unsetenv("PULSE_CLIENTCONFIG");
}

bool PulseServer::Start() {
    const std::string run = m_dir.Path("run");
    if (mkdir(run.c_str(), 0700) != 0) {
        m_error = "cannot create " + run;
        return false;
    }
    const std::string script = run + "/loop.pa";
    std::ofstream(script) << "load-module module-null-sink sink_name=loop rate=48000 channels=2\n"
                             "set-default-sink loop\n"
                             "set-default-source loop.monitor\n"
                             "load-module module-native-protocol-unix\n";
    // The clients of this test never start a server of their own once this one is gone.
    const std::string clientConf = run + "/client.conf";
    std::ofstream(clientConf) << "autospawn = no\n";
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", clientConf.c_str(), 1);

    const std::string log = m_dir.Path("daemon.log");
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid < 0) {
        m_error = "fork failed";
        return false;
    }
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(126);
        const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
            close(fd);
        }
        execlp("pulseaudio", "pulseaudio", "-n", "-F", script.c_str(), "--daemonize=no",
               "--exit-idle-time=-1", "--use-pid-file=yes", static_cast<char*>(nullptr));
        _exit(127);
    }
    for (double waited = 0; waited < kStartSeconds; waited += 0.1) {
        if (WaitGone(0)) {
            m_error = "pulseaudio ended at start:\n" + Log();
            return false;
        }
        if (RunQuietly("timeout 5 pactl info")) return true;
        Sleep100ms();
    }
    m_error = "pulseaudio did not answer within 20 s:\n" + Log();
    Kill();
    return false;
}

bool PulseServer::Exit() {
    if (!Running()) return true;
    RunQuietly("timeout 10 pactl exit");
    return WaitGone(kExitSeconds);
}

void PulseServer::Kill() {
    if (!Running()) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

bool PulseServer::WaitGone(double seconds) {
    for (double waited = 0;; waited += 0.1) {
        const pid_t done = waitpid(m_pid, nullptr, WNOHANG);
        if (done == m_pid || done < 0) {
            m_pid = -1;
            return true;
        }
        if (waited >= seconds) return false;
        Sleep100ms();
    }
}

std::string PulseServer::Log() const {
    std::ifstream in(m_dir.Path("daemon.log"));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
