#pragma once

class QComboBox;

// The nine entries "128点" ... "32768点" of the sample-count drop-downs, preselected at `pow`.
QComboBox* MakePointCountCombo(int pow);
