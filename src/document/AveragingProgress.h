#pragma once

#include <string>

// State of a running averaging pass, read by the view while it draws the pending kind.
struct AveragingProgress {
    bool running = false;
    int analysis = 0;  // analysis:: code of the pass
    int records = 0;   // records averaged so far
    int total = 0;     // K
    int refreshes = 0; // running displays shown so far (at most 30)
    std::string title;        // title of the first running display
    std::string currentTitle; // title of the latest running display
};
