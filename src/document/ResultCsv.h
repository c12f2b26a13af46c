#pragma once

#include <string>

class IDocumentUi;
struct MeasurementSource;

// CSV export of a result: one row per point, each value "%e," and CR LF, the first four rows
// followed by the kind's header texts, sample period and point count (Shift-JIS bytes).
// Correlations are written with lag 0 in the middle. Shows the path first. 1 when written;
// 0 with "保存に失敗しました。" (or "エラーしてます" for an oscilloscope record of another
// channel mode) otherwise.
int WriteResultCsv(IDocumentUi& ui, const std::string& path, const MeasurementSource& src);

// printf's "%e" without the locale.
std::string CsvNumber(double value);
