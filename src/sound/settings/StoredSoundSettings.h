#pragma once

#include <string>
#include <vector>

class CKymoDoc;

// The settings of the sound-card instruments that survive a restart: the environment values,
// the four input offsets and the measurement conditions, as named values. The desktop program
// writes them to its settings store at exit and applies them again at start.
struct StoredSetting {
    std::string key; // "BufferSize", "Offset16L", "MeasRate", ...
    double value = 0.0;
};

// Every stored value of the document now, in a fixed order.
std::vector<StoredSetting> CaptureSoundSettings(const CKymoDoc& doc);
// Applies values read back. A key that is not stored, a value that is not finite, out of its
// range or not whole where a whole number is kept, leaves the document's value as it is. Then the
// analysis frame and window table follow the conditions and the filter display size follows the
// buffer setting. Returns how many values were applied.
int ApplySoundSettings(CKymoDoc& doc, const std::vector<StoredSetting>& values);
