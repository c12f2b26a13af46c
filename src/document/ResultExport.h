#pragma once

#include <string>

class CKymoDoc;

// Exports of the document's current result for other programs. Each checks that the document
// holds a result of the right kind (otherwise a message and no file), builds the whole file in
// memory and writes it through WriteExportFile. They return 1 when written, 0 otherwise, and
// change nothing in the document.

enum class ResponseFormat { Frd, Rew };

// Kinds the frequency-response text takes: complex results 2, 7, 11 (level and phase) and the
// amplitude spectra 15, 16 (level, phase 0).
bool HoldsExportableResponse(const CKymoDoc& doc);
// Kinds whose inverse transform is an impulse response: 2, 7, 11.
bool HoldsExportableImpulse(const CKymoDoc& doc);

// The held response as FRD or REW text, bins 1 ... N/2. `channel` 2 takes ch2 of a two-channel
// spectrum (kind 16); every other kind has one response and ignores it.
int ExportResponseTo(CKymoDoc& doc, ResponseFormat format, const std::string& path,
                     int channel = 1);
// The impulse response of the held transfer function (real part of its inverse transform / N,
// N samples, not normalised) as a mono 32-bit float WAV at 1 / m_fDt rounded to whole Hz.
int ExportImpulseWaveTo(CKymoDoc& doc, const std::string& path);

// The menu commands: ask for the file name (".frd", ".txt", ".wav") and, for a two-channel
// spectrum, which channel; then the operations above.
int OnExportResponse(CKymoDoc& doc, ResponseFormat format);
int OnExportImpulseWave(CKymoDoc& doc);
