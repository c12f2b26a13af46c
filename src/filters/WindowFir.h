#pragma once

// Window codes of the window-method design (the same numbers as FIR kind codes 0 to 4).
namespace firwin {
constexpr int Rectangular = 0;
constexpr int Bartlett = 1;
constexpr int BlackmanOpt = 2;
constexpr int Hamming = 3;
constexpr int Hann = 4;
} // namespace firwin

// Window-method FIR design: the ideal response of the shape (shape:: codes) truncated to
// `taps` taps centred on (taps - 1) / 2, odd or even, multiplied by the window (firwin:: codes)
// and not normalised. fL and fH are cut-offs in Hz (fH only for band-pass and band-stop), fs the
// sampling frequency. Fills h[0 ... taps-1]; unknown shapes or windows give zeros.
void DesignWindowFir(int shape, int window, int taps, double fL, double fH, double fs, double* h);

// Window value at tap n of `taps` (symmetric; 1 for a single tap).
double FirWindowValue(int window, int n, int taps);

// Label of a window code in the settings dialog: "Rectangular!!" ... "Hanning!!".
const char* FirWindowLabel(int window);
