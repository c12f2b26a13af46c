#include "transfer/TransferSettings.h"

#include <algorithm>

int BaudRateOfIndex(int index) {
    const int i = std::clamp(index, 0, transferlimits::kBaudRates - 1);
    return i < 6 ? 1200 << i : 57600 << (i - 6);
}

const char* CoefFormatName(int format) {
    static const char* const kNames[coefformat::Count] = {"1_15型", "2_14型", "1_31型", "2_30型",
                                                          "float"};
    return kNames[std::clamp(format, 0, coefformat::Count - 1)];
}
