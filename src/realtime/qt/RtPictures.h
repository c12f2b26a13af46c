#pragma once

#include <QRect>

#include <string>
#include <vector>

class QPainter;
struct CrTable;

// The pictures of the real-time panels (229 x 90 areas).

// The taps as a red curve with the tap count and the largest |h| ("%2.2e").
void PaintTaps(QPainter& p, const QRect& r, const std::vector<double>& taps);
// Text lines from the top left (section coefficients, s-functions).
void PaintLines(QPainter& p, const QRect& r, const std::vector<std::string>& lines);
// The block diagram of one second-order section (direct form I) with b0, b1, b2, a1, a2.
void PaintSection(QPainter& p, const QRect& r, const float den[3], const float num[3]);
// The op-amp schematic of stage k of a cascade: its topology (StageTopology) with the component
// values of `cr` (resistors in kΩ, capacitors in µF or pF) and "Cascade No.=k".
void PaintStageSchematic(QPainter& p, const QRect& r, int topology, const CrTable& cr, int k);

// Component value texts of the schematic: "%4.2fk" (or "%4.1fk/", "%3.1fM/", "%3.0fΩ/" by
// size) and "%2.3fμ" or "%4.1fp".
std::string ResistorText(double ohms);
std::string CapacitorText(double farads);
