#pragma once

// Message texts of the oscilloscope, exactly as shown.
namespace scopemsg {
inline constexpr const char* kRateOnly = "ｵｼﾛｽｺｰﾌﾟのｻﾝﾌﾟﾘﾝｸﾞ周波数は44.1/48/98kHzのみの対応です";
inline constexpr const char* kSelectCh1 = "ch1を選択して下さい";
inline constexpr const char* kSelectCh2 = "ch2を選択して下さい";
inline constexpr const char* kSelectAny = "何れかのﾁｬﾝﾈﾙを選択して下さい";
inline constexpr const char* kXYKeepsBoth = "X_Y表示してますので非選択にできません";
} // namespace scopemsg
