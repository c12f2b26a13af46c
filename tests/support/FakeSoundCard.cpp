#include "support/FakeSoundCard.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<std::uint64_t> g_nextSession{1000000};

int Scripted(const std::map<int, int>& table, int& calls) {
    const auto it = table.find(calls++);
    return it == table.end() ? mmres::NoError : it->second;
}
} // namespace

struct CFakeSoundCard::InState {
    CompletionQueue* queue = nullptr;
    std::uint64_t session = 0;
    std::deque<WaveHeader*> queued;
    bool started = false;
};

class CFakeWaveIn : public IWaveIn {
public:
    CFakeWaveIn(CFakeSoundCard& card, CompletionQueue& queue) : m_card(card) {
        m_state.queue = &queue;
        m_state.session = g_nextSession++;
        card.in = &m_state;
    }
    ~CFakeWaveIn() override {
        if (m_card.in == &m_state) m_card.in = nullptr;
    }
    std::uint64_t Session() const override { return m_state.session; }
    int Prepare(WaveHeader& h) override {
        m_card.calls.push_back("in.prepare " + std::to_string(h.dwUser));
        const int r = Scripted(m_card.script.inPrepare, m_card.m_nInPrepareCalls);
        if (r == mmres::NoError) h.dwFlags |= whdr::Prepared;
        return r;
    }
    int Unprepare(WaveHeader& h) override {
        if (h.dwFlags & whdr::InQueue) return mmres::StillPlaying;
        h.dwFlags &= ~whdr::Prepared;
        return mmres::NoError;
    }
    int AddBuffer(WaveHeader& h) override {
        m_card.calls.push_back("in.add " + std::to_string(h.dwUser));
        const int r = Scripted(m_card.script.inAdd, m_card.m_nInAddCalls);
        if (r != mmres::NoError) return r;
        if (!(h.dwFlags & whdr::Prepared)) return mmres::Unprepared;
        h.dwFlags = (h.dwFlags & ~whdr::Done) | whdr::InQueue;
        m_state.queued.push_back(&h);
        return mmres::NoError;
    }
    int Start() override {
        m_card.calls.push_back("in.start");
        if (m_card.script.start != mmres::NoError) return m_card.script.start;
        m_state.started = true;
        return mmres::NoError;
    }
    int Stop() override {
        m_card.calls.push_back("in.stop");
        m_state.started = false;
        return mmres::NoError;
    }
    int Reset() override {
        m_card.calls.push_back("in.reset");
        m_state.started = false;
        for (WaveHeader* h : m_state.queued) {
            h->dwFlags = (h->dwFlags & ~whdr::InQueue) | whdr::Done;
            h->dwBytesRecorded = 0;
            m_state.queue->Post({WaveCompletion::Kind::InputDone, m_state.session, h, {}});
        }
        m_state.queued.clear();
        return mmres::NoError;
    }
    int Close() override {
        m_card.calls.push_back("in.close");
        if (!m_state.queued.empty()) return mmres::StillPlaying;
        if (!m_closed) --m_card.openDevices;
        m_closed = true;
        return mmres::NoError;
    }

private:
    CFakeSoundCard& m_card;
    CFakeSoundCard::InState m_state;
    bool m_closed = false;
};

class CFakeWaveOut : public IWaveOut {
public:
    explicit CFakeWaveOut(CFakeSoundCard& card) : m_card(card), m_session(g_nextSession++) {}
    std::uint64_t Session() const override { return m_session; }
    int Prepare(WaveHeader& h) override {
        const int r = Scripted(m_card.script.outPrepare, m_card.m_nOutPrepareCalls);
        if (r == mmres::NoError) h.dwFlags |= whdr::Prepared;
        return r;
    }
    int Unprepare(WaveHeader& h) override {
        h.dwFlags &= ~whdr::Prepared;
        return mmres::NoError;
    }
    // Plays at once: the bytes are recorded and the header is done.
    int Write(WaveHeader& h) override {
        if (!(h.dwFlags & whdr::Prepared)) return mmres::Unprepared;
        m_card.written.emplace_back(h.lpData, h.lpData + h.dwBufferLength);
        m_card.writtenIndex.push_back(static_cast<int>(h.dwUser));
        h.dwFlags |= whdr::Done;
        return mmres::NoError;
    }
    int Pause() override { return mmres::NoError; }
    int Restart() override { return mmres::NoError; }
    int Reset() override {
        m_card.calls.push_back("out.reset");
        return mmres::NoError;
    }
    int Close() override {
        m_card.calls.push_back("out.close");
        if (!m_closed) --m_card.openDevices;
        m_closed = true;
        return mmres::NoError;
    }
    long long Underruns() const override { return 0; }

private:
    CFakeSoundCard& m_card;
    std::uint64_t m_session;
    bool m_closed = false;
};

int CFakeSoundCard::GetInDevCaps(WaveInCaps& caps) {
    if (!script.hasInput) return mmres::BadDeviceId;
    caps.name = "fake";
    caps.channels = 2;
    caps.formats = 0xFFF;
    return mmres::NoError;
}

int CFakeSoundCard::OpenIn(std::unique_ptr<IWaveIn>& device, const WaveFormat& format,
                           CompletionQueue& queue) {
    calls.push_back("in.open");
    lastFormat = format;
    if (script.openIn != mmres::NoError) return script.openIn;
    device = std::make_unique<CFakeWaveIn>(*this, queue);
    ++openDevices;
    return mmres::NoError;
}

int CFakeSoundCard::OpenOut(std::unique_ptr<IWaveOut>& device, const WaveFormat&,
                            CompletionQueue*) {
    calls.push_back("out.open");
    if (script.openOut != mmres::NoError) return script.openOut;
    device = std::make_unique<CFakeWaveOut>(*this);
    ++openDevices;
    return mmres::NoError;
}

bool CFakeSoundCard::FillNext(const std::vector<std::uint8_t>& bytes) {
    if (!in || !in->started || in->queued.empty() || bytes.empty()) return false;
    WaveHeader* h = in->queued.front();
    in->queued.pop_front();
    for (std::uint32_t k = 0; k < h->dwBufferLength; ++k) h->lpData[k] = bytes[k % bytes.size()];
    h->dwBytesRecorded = h->dwBufferLength;
    h->dwFlags = (h->dwFlags & ~whdr::InQueue) | whdr::Done;
    in->queue->Post({WaveCompletion::Kind::InputDone, in->session, h, {}});
    return true;
}

bool CFakeSoundCard::FillNextCounting() {
    if (!in || in->queued.empty()) return false;
    std::vector<std::uint8_t> bytes(in->queued.front()->dwBufferLength);
    for (auto& b : bytes) b = counter++;
    return FillNext(bytes);
}

void CFakeSoundCard::LoseDevice(const std::string& why) {
    if (!in) return;
    in->queue->Post({WaveCompletion::Kind::DeviceLost, in->session, nullptr, why});
}
