#pragma once

// Installs PortAudio as the maker of hardware cards for CreateSoundCard: an empty device name is
// the system's default devices (no card when PortAudio lists no device at all), anything else an
// index or a unique device name.
void InstallPortAudioCards();
