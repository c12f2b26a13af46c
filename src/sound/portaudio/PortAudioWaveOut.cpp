#include "sound/portaudio/PortAudioWaveOut.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/portaudio/PortAudioDuplex.h"

CPortAudioWaveOut::~CPortAudioWaveOut() {
    m_duplex->Abandon(false, m_session);
}

int CPortAudioWaveOut::Prepare(WaveHeader& header) {
    return headerflags::Prepare(header);
}
int CPortAudioWaveOut::Unprepare(WaveHeader& header) {
    return headerflags::Unprepare(header);
}
int CPortAudioWaveOut::Write(WaveHeader& header) {
    return m_duplex->Write(m_session, header);
}
int CPortAudioWaveOut::Pause() {
    return m_duplex->PauseOut(m_session);
}
int CPortAudioWaveOut::Restart() {
    return m_duplex->RestartOut(m_session);
}
int CPortAudioWaveOut::Reset() {
    return m_duplex->ResetOut(m_session);
}
int CPortAudioWaveOut::Close() {
    return m_duplex->CloseOut(m_session);
}
long long CPortAudioWaveOut::Underruns() const {
    return m_duplex->Underruns();
}
