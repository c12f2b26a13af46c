#pragma once

// Twiddle tables of the document's radix-2 FFT: for i below N/2,
// sinTable[i] = sin(2 pi i / N), cosTable[i] = cos(2 pi i / N), 2 pi held as a float.
void MakeFftTables(int n, float* sinTable, float* cosTable);
