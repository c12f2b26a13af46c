#include "sound/devices/VirtualWaveIn.h"

#include "sound/devices/VirtualCardCore.h"

using Call = CVirtualCardCore::Call;

CVirtualWaveIn::~CVirtualWaveIn() {
    m_core->Input(m_session, Call::Abandon);
}

int CVirtualWaveIn::Prepare(WaveHeader& header) {
    return m_core->Input(m_session, Call::Prepare, &header);
}

int CVirtualWaveIn::Unprepare(WaveHeader& header) {
    return m_core->Input(m_session, Call::Unprepare, &header);
}

int CVirtualWaveIn::AddBuffer(WaveHeader& header) {
    return m_core->Input(m_session, Call::Queue, &header);
}

int CVirtualWaveIn::Start() {
    return m_core->Input(m_session, Call::Start);
}

int CVirtualWaveIn::Stop() {
    return m_core->Input(m_session, Call::Stop);
}

int CVirtualWaveIn::Reset() {
    return m_core->Input(m_session, Call::Reset);
}

int CVirtualWaveIn::Close() {
    return m_core->Input(m_session, Call::Close);
}
