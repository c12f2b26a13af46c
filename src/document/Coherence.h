#pragma once

#include <cstdint>
#include <string>

class CKymoDoc;

// Magnitude-squared coherence of the file transfer function: the averaging pass sums the auto
// spectra Σ|X1|², Σ|X2|² and the cross spectrum Σ conj(X1)·X2 of its records beside H, and
// leaves γ²(f) = |Σ conj(X1)·X2|² / (Σ|X1|² · Σ|X2|²) in the document's m_fCoherence.

// γ² of bins 0 .. n-1 from the sums; 0 where either auto sum is 0.
void CoherenceFromSums(const double* s11, const double* s22, const double* s12Re,
                       const double* s12Im, int n, float* out);

// A fingerprint of the complex result the coherence belongs to (N, m_fDt, m_fRe, m_fIm);
// never 0, which stands for "no coherence".
std::uint64_t TransferFingerprint(const CKymoDoc& doc);

// Writes "frequency,coherence" and one line per bin 1 ... N/2 (frequency in Hz, γ²), lines
// ended by CR LF, through WriteExportFile. Refuses ("ｺﾋｰﾚﾝｽは...") when the document does not
// hold the transfer function of an averaging pass. 1 written, 0 not.
int WriteCoherenceCsv(CKymoDoc& doc, const std::string& path);
