#pragma once

#include <string>
#include <vector>

class CKymoDoc;

// What the end-to-end tests of the `live` sub-commands share.
struct CliRunResult {
    int rc;
    std::string out, err;
};
CliRunResult RunCliWords(const std::vector<std::string>& words);

// `file` holds the recording of a run of `updates` equal buffers: replaces it by the block the
// instrument analysed last, the first 2^d N + (2^d - 1) L frames of the last buffer (N =
// `points`, d = -downExp). False when the recording does not split into `updates` buffers.
bool KeepLastAnalysedBlock(CKymoDoc& file, int updates, int points, int downExp);

// The index p of N = 2^(p + 7).
int PowOfPoints(int points);
