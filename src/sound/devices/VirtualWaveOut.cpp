#include "sound/devices/VirtualWaveOut.h"

#include "sound/devices/VirtualCardCore.h"

using Call = CVirtualCardCore::Call;

CVirtualWaveOut::~CVirtualWaveOut() {
    m_core->Output(m_session, Call::Abandon);
}

int CVirtualWaveOut::Prepare(WaveHeader& header) {
    return m_core->Output(m_session, Call::Prepare, &header);
}

int CVirtualWaveOut::Unprepare(WaveHeader& header) {
    return m_core->Output(m_session, Call::Unprepare, &header);
}

int CVirtualWaveOut::Write(WaveHeader& header) {
    return m_core->Output(m_session, Call::Queue, &header);
}

int CVirtualWaveOut::Pause() {
    return m_core->Output(m_session, Call::Pause);
}

int CVirtualWaveOut::Restart() {
    return m_core->Output(m_session, Call::Restart);
}

int CVirtualWaveOut::Reset() {
    return m_core->Output(m_session, Call::Reset);
}

int CVirtualWaveOut::Close() {
    return m_core->Output(m_session, Call::Close);
}

long long CVirtualWaveOut::Underruns() const {
    return m_core->Underruns(m_session);
}
