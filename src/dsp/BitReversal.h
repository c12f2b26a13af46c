#pragma once

// Reorders re and im (n = 2^log2n points each, log2n <= 30) into bit-reversed order, in place.
void BitReverse(float* re, float* im, int log2n);
