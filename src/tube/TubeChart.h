#pragma once

#include "tube/TubeAmpCompute.h"
#include "tube/TubeData.h"

// What the characteristics display (data kind 34) draws: the device, the settings of the last
// successful "計算" and its result.
struct TubeChart {
    TubeData data;
    TubeAmpSettings settings;
    TubeAmpResult result;
};
