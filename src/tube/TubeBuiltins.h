#pragma once

#include <string>
#include <vector>

struct TubeData;

// The devices of the device combo: "2A3", "6L6GC(3)", "2SK30A" built in, then "My_Tube".
namespace tube {
constexpr int kMyTube = 3;
// Texts of the device combo.
const std::vector<std::string>& DeviceNames();
// Complete data of built-in device `index` (0 .. 2); false for any other index.
bool BuiltinDevice(int index, TubeData& out);
} // namespace tube
