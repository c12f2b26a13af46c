#include "sound/portaudio/PortAudioWaveIn.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/portaudio/PortAudioStream.h"

CPortAudioWaveIn::~CPortAudioWaveIn() {
    m_stream->Abandon(true, m_session);
}

int CPortAudioWaveIn::Prepare(WaveHeader& header) {
    return headerflags::Prepare(header);
}
int CPortAudioWaveIn::Unprepare(WaveHeader& header) {
    return headerflags::Unprepare(header);
}
int CPortAudioWaveIn::AddBuffer(WaveHeader& header) {
    return m_stream->AddBuffer(m_session, header);
}
int CPortAudioWaveIn::Start() {
    return m_stream->StartIn(m_session);
}
int CPortAudioWaveIn::Stop() {
    return m_stream->StopIn(m_session);
}
int CPortAudioWaveIn::Reset() {
    return m_stream->ResetIn(m_session);
}
int CPortAudioWaveIn::Close() {
    return m_stream->CloseIn(m_session);
}
