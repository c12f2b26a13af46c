#pragma once

#include <cstdint>
#include <vector>

class CKymoDoc;

// True when the first four bytes are one of the measurement-data magics
// ("OPER", "OSC1", "OPS1", "OPS2", "OPJ1", "OPJ2", "OPSO").
bool IsMeasurementMagic(const std::uint8_t* first4);

// Loads a measurement-data file into the document (its data kind, frame and buffers).
// Returns 1 when read, 0 when the file was not read (the document keeps its content).
int ReadMeasurementData(CKymoDoc& doc, const std::vector<std::uint8_t>& bytes);
