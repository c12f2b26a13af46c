#include "sound/portaudio/PortAudioWaveIn.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/portaudio/PortAudioDuplex.h"

CPortAudioWaveIn::~CPortAudioWaveIn() {
    m_duplex->Abandon(true, m_session);
}

int CPortAudioWaveIn::Prepare(WaveHeader& header) {
    return headerflags::Prepare(header);
}
int CPortAudioWaveIn::Unprepare(WaveHeader& header) {
    return headerflags::Unprepare(header);
}
int CPortAudioWaveIn::AddBuffer(WaveHeader& header) {
    return m_duplex->AddBuffer(m_session, header);
}
int CPortAudioWaveIn::Start() {
    return m_duplex->StartIn(m_session);
}
int CPortAudioWaveIn::Stop() {
    return m_duplex->StopIn(m_session);
}
int CPortAudioWaveIn::Reset() {
    return m_duplex->ResetIn(m_session);
}
int CPortAudioWaveIn::Close() {
    return m_duplex->CloseIn(m_session);
}
