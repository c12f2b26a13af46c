#pragma once

// Message texts of the servo analyzer, exactly as shown.
namespace servomsg {
inline constexpr const char* kNo8Bit =
    "ｻｰﾎﾞｱﾅﾗｲｻﾞｰは8bit幅のｻﾎﾟｰﾄをやめました。\n　16bitに設定します！！";
inline constexpr const char* kOverSampleError = "OverSample設定異常です。";
} // namespace servomsg
