#include "sound/devices/VirtualCardCore.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/devices/VirtualCardMessages.h"
#include "sound/engine/DeviceSession.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr auto kThreadStep = std::chrono::milliseconds(2);
constexpr int kMinRate = 8000;
constexpr int kMaxRate = 192000;

bool WidthSupported(const WaveFormat& f) {
    if (f.formatTag == wavefmt::Pcm)
        return (f.bitsPerSample == 8 || f.bitsPerSample == 16) &&
               f.validBitsPerSample == f.bitsPerSample;
    if (f.formatTag == wavefmt::Extensible)
        return (f.bitsPerSample == 16 && f.validBitsPerSample == 16) ||
               (f.bitsPerSample == 32 &&
                (f.validBitsPerSample == 24 || f.validBitsPerSample == 32));
    return false;
}

} // namespace

CVirtualCardCore::CVirtualCardCore(DutText dut, DutFiles files, VirtualClock clock)
    : m_dut(std::move(dut)), m_files(std::move(files)), m_mode(clock) {}

CVirtualCardCore::~CVirtualCardCore() {
    StopThread();
}

bool CVirtualCardCore::FormatSupported(const WaveFormat& f) {
    return WidthSupported(f) && (f.channels == 1 || f.channels == 2) &&
           f.samplesPerSec >= kMinRate && f.samplesPerSec <= kMaxRate &&
           f.blockAlign == f.channels * f.bitsPerSample / 8 &&
           f.avgBytesPerSec == f.samplesPerSec * f.blockAlign;
}

int CVirtualCardCore::RefuseOpen(int result, const std::string& error) {
    m_lastError = error;
    return result;
}

// The checks common to both devices; mmres::NoError when the device may open.
int CVirtualCardCore::CheckOpen(const WaveFormat& format, int otherRate) {
    if (m_dut.fault == DutFault::Open) return RefuseOpen(mmres::Allocated, vcmsg::kOpenFault);
    if (m_lost && !Idle()) return RefuseOpen(mmres::NoDriver, vcmsg::kStillLost);
    if (!FormatSupported(format)) return RefuseOpen(mmres::BadFormat, vcmsg::kBadFormat);
    if (otherRate != 0 && otherRate != format.samplesPerSec)
        return RefuseOpen(mmres::BadFormat, vcmsg::kRateMismatch);
    return mmres::NoError;
}

int CVirtualCardCore::OpenIn(const WaveFormat& format, CompletionQueue& queue,
                             std::uint64_t& session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_in) return RefuseOpen(mmres::Allocated, vcmsg::kInputInUse);
    const int checked = CheckOpen(format, m_out ? m_out->Format().samplesPerSec : 0);
    if (checked != mmres::NoError) return checked;
    std::string error;
    auto dut = CDutLoop::Create(m_dut, m_files, format.samplesPerSec, format.channels, error);
    if (!dut) return RefuseOpen(mmres::BadFormat, error);
    if (Idle()) BeginClock(format.samplesPerSec);
    session = NewDeviceSession();
    m_in.emplace(format, queue, session, std::move(dut));
    m_lastError.clear();
    return mmres::NoError;
}

int CVirtualCardCore::OpenOut(const WaveFormat& format, CompletionQueue* queue,
                              std::uint64_t& session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_out) return RefuseOpen(mmres::Allocated, vcmsg::kOutputInUse);
    const int checked = CheckOpen(format, m_in ? m_in->Format().samplesPerSec : 0);
    if (checked != mmres::NoError) return checked;
    if (Idle()) BeginClock(format.samplesPerSec);
    session = NewDeviceSession();
    m_out.emplace(format, queue, session, m_mode == VirtualClock::RealTime);
    m_lastError.clear();
    return mmres::NoError;
}

void CVirtualCardCore::BeginClock(int rate) {
    m_rate = rate;
    m_clock = 0;
    m_lost = false;
    m_loseAt = m_dut.fault == DutFault::Lose ? std::llround(m_dut.loseSeconds * rate) : -1;
    if (m_mode == VirtualClock::RealTime) {
        m_epoch = std::chrono::steady_clock::now();
        m_stop = false;
        m_thread = std::thread(&CVirtualCardCore::RunThread, this);
    }
}

void CVirtualCardCore::StopThread() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void CVirtualCardCore::RunThread() {
    std::unique_lock<std::mutex> lock(m_mutex);
    VirtualPosts posts;
    while (!m_stop) {
        m_wake.wait_for(lock, kThreadStep);
        if (m_stop) break;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_epoch).count();
        const auto target = static_cast<long long>(seconds * m_rate);
        if (target > m_clock) Advance(target - m_clock, posts);
        if (posts.empty()) continue;
        lock.unlock();
        PostAll(posts);
        lock.lock();
    }
}

bool CVirtualCardCore::Pump() {
    if (m_mode != VirtualClock::Fast) return false;
    VirtualPosts posts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (Idle() || m_lost) return false;
        long long frames = 0;
        if (m_in && m_in->Started())
            frames = m_in->HasQueued() ? m_in->FramesToFill() : kFastChunk;
        else if (m_out && m_out->Playing())
            frames = std::min(kFastChunk, m_out->FramesQueued());
        if (frames <= 0) return false;
        Advance(frames, posts);
    }
    PostAll(posts);
    return true;
}

void CVirtualCardCore::Advance(long long frames, VirtualPosts& posts) {
    while (frames > 0) {
        if (m_loseAt >= 0 && !m_lost && m_clock >= m_loseAt) Lose(posts);
        long long n = frames;
        if (m_loseAt >= 0 && !m_lost) n = std::min(n, m_loseAt - m_clock);
        const bool active = !m_lost && ((m_in && m_in->Started()) || (m_out && m_out->Playing()));
        if (active)
            for (long long i = 0; i < n; ++i) Tick(posts);
        m_clock += n;
        frames -= n;
    }
    if (m_loseAt >= 0 && !m_lost && m_clock >= m_loseAt) Lose(posts);
}

void CVirtualCardCore::Tick(VirtualPosts& posts) {
    double out[2] = {0.0, 0.0};
    if (m_out) m_out->Play(out, posts);
    if (!m_in) return;
    double in[2] = {0.0, 0.0};
    m_in->Dut().Step(out[0], out[1], in[0], in[1]);
    if (m_in->Started()) m_in->Capture(in, posts);
}

void CVirtualCardCore::Lose(VirtualPosts& posts) {
    m_lost = true;
    m_lastError = vcmsg::kLost;
    if (m_in) m_in->Lose(vcmsg::kLost, posts);
    if (m_out) m_out->Lose(vcmsg::kLost, posts);
}

std::string CVirtualCardCore::LastError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

long long CVirtualCardCore::LostInputFrames() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_in ? m_in->LostFrames() : m_lastLostFrames;
}

long long CVirtualCardCore::Underruns(std::uint64_t session) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_out && m_out->Session() == session) return m_out->Underruns();
    return session == m_lastOutSession ? m_lastUnderruns : 0;
}

template <class Owns, class Op>
int CVirtualCardCore::DeviceCall(Owns owns, Call call, WaveHeader* header, Op op) {
    VirtualPosts posts;
    int result = mmres::NoError;
    bool closedLast = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!owns()) return mmres::InvalHandle;
        const bool cleanup =
            call == Call::Unprepare || call == Call::Close || call == Call::Abandon;
        if (m_lost && !cleanup) return mmres::NoDriver;
        if (call == Call::Prepare)
            result = headerflags::Prepare(*header);
        else if (call == Call::Unprepare)
            result = headerflags::Unprepare(*header);
        else
            result = op(posts);
        closedLast = Idle();
    }
    PostAll(posts);
    if (closedLast) StopThread();
    return result;
}

int CVirtualCardCore::Input(std::uint64_t session, Call call, WaveHeader* header) {
    auto owns = [&] { return m_in && m_in->Session() == session; };
    return DeviceCall(owns, call, header, [&](VirtualPosts& posts) {
        switch (call) {
        case Call::Queue:
            return m_in->AddBuffer(*header);
        case Call::Start:
            if (m_dut.fault == DutFault::Start) {
                m_lastError = vcmsg::kStartFault;
                return mmres::Error;
            }
            m_in->SetStarted(true);
            return mmres::NoError;
        case Call::Stop:
            m_in->SetStarted(false);
            return mmres::NoError;
        case Call::Reset:
            m_in->SetStarted(false);
            m_in->ReturnAll(posts);
            return mmres::NoError;
        case Call::Close:
        case Call::Abandon:
            if (call == Call::Close && m_in->HasQueued()) return mmres::StillPlaying;
            m_in->Abandon();
            m_lastLostFrames = m_in->LostFrames();
            m_in.reset();
            return mmres::NoError;
        default:
            return mmres::InvalParam;
        }
    });
}

int CVirtualCardCore::Output(std::uint64_t session, Call call, WaveHeader* header) {
    auto owns = [&] { return m_out && m_out->Session() == session; };
    return DeviceCall(owns, call, header, [&](VirtualPosts& posts) {
        switch (call) {
        case Call::Queue:
            return m_out->Write(*header);
        case Call::Pause:
            m_out->Pause();
            return mmres::NoError;
        case Call::Restart:
            m_out->Restart();
            return mmres::NoError;
        case Call::Reset:
            m_out->Reset(posts);
            return mmres::NoError;
        case Call::Close:
        case Call::Abandon:
            if (call == Call::Close && m_out->HasQueued()) return mmres::StillPlaying;
            m_out->Abandon();
            m_lastOutSession = session;
            m_lastUnderruns = m_out->Underruns();
            m_out.reset();
            return mmres::NoError;
        default:
            return mmres::InvalParam;
        }
    });
}
