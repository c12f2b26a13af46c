#include "dsp/FftTables.h"

#include <cmath>

void MakeFftTables(int n, float* sinTable, float* cosTable) {
    const int half = static_cast<int>(n * 0.5);
    const float twoPi = 6.2831855f;
    const float fn = static_cast<float>(n);
    for (int i = 0; i < half; ++i) {
        const float angle = static_cast<float>(i) * twoPi / fn;
        sinTable[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosTable[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
}
