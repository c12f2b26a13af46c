#pragma once

#include <string>

class IDocumentUi;
struct TubeData;

// Tube-data files (CSV, CP932 or UTF-8, lines ending in CR LF):
//   真空管名,NAME,
//   14 x  set_com,%f,
//   //独立ﾃﾞｰﾀｰ,
//   10 x  set_both,%f,%f,          (upper, lower)
//   //動作条件等,
//   18 x  set_ope,%d,
//   //Gauss係数,
//   one line per curve: 多項式係数,%e x 8 (Ep^7 .. Ep^0),%e (grid voltage),
//   end,
// Reading replaces commas by blanks and takes the first word of each line as its kind; lines
// whose first word begins with "//" are comments, blank lines are skipped, "end" ends the file.

// Reads `path` into `data`. 1 when read; 0 (data unchanged) with "ﾌｧｲﾙを開けません" when the
// file cannot be opened, or with "書式(csvﾌｧｲﾙ)の整合がとれません" when a line is longer than 500
// characters, has an unknown first word, lacks values, when a kind has more lines than its
// block holds (14, 10, 18, 20), when at most 3 curve lines were read, or when the file declares
// more curves than it holds.
int ReadTubeFile(IDocumentUi& ui, const std::string& path, TubeData& data);

// Writes `data` to `path`. False when the file cannot be written.
bool WriteTubeFile(const std::string& path, const TubeData& data);

// "保存": asks for a ".csv" name and writes the data; "書き込みに失敗しました。" when it cannot be
// written. 1 when written.
int SaveTubeFile(IDocumentUi& ui, const TubeData& data);
