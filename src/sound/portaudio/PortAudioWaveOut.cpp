#include "sound/portaudio/PortAudioWaveOut.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/portaudio/PortAudioStream.h"

CPortAudioWaveOut::~CPortAudioWaveOut() {
    m_stream->Abandon(false, m_session);
}

int CPortAudioWaveOut::Prepare(WaveHeader& header) {
    return headerflags::Prepare(header);
}
int CPortAudioWaveOut::Unprepare(WaveHeader& header) {
    return headerflags::Unprepare(header);
}
int CPortAudioWaveOut::Write(WaveHeader& header) {
    return m_stream->Write(m_session, header);
}
int CPortAudioWaveOut::Pause() {
    return m_stream->PauseOut(m_session);
}
int CPortAudioWaveOut::Restart() {
    return m_stream->RestartOut(m_session);
}
int CPortAudioWaveOut::Reset() {
    return m_stream->ResetOut(m_session);
}
int CPortAudioWaveOut::Close() {
    return m_stream->CloseOut(m_session);
}
long long CPortAudioWaveOut::Underruns() const {
    return m_stream->Underruns();
}
