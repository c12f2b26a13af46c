#pragma once

#include <functional>

class CKymoDoc;
class QFormLayout;
class QGroupBox;
class QProgressBar;
class QWidget;

// Pieces the live filter panels share.

// The group "処理能力": `bar` (0 ... 150) over the labels "0", "100" and "(%)".
QGroupBox* MakeLoadBox(QProgressBar* bar);

// Rows "最大値(dB)" and "D_ﾚﾝｼﾞ(dB)" with spins on the document's display top level and range
// (edits named "topLevel" and "range"), added to `form`. Returns what shows the document's
// values again.
std::function<void()> AddDisplayLevelRows(QFormLayout* form, CKymoDoc& doc, QWidget* owner);
