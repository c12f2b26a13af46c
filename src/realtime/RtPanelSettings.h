#pragma once

// The common controls of the real-time filter panels, kept in the document between openings.
struct RtPanelSettings {
    bool generator = false; // source "gen" (white noise) instead of "line"
    int levelPos = 20;      // generator level slider: factor 10^(-0.05 levelPos)
    int channelIndex = 2; // "ﾌｨﾙﾀｰCH": 0 "Lchのみ", 1 "Rchのみ", 2 "Both_ch", 3 "Non"
    int lineOut = 0;      // lineout:: mode
    int gainDb = 0;       // "ｹﾞｲﾝ(dB)", -20 ... 20
    bool gainFixed = false; // "固定": 0 dB while ticked
    // Level pairs (top level and dynamic range, dB) of the two display groups; the group shown
    // has its pair in the document's m_nTopLevel / m_nDynamicRange.
    int designTop = 20, designRange = 100;
    int monitorTop = 80, monitorRange = 100;
};

namespace rtpanel {
constexpr int kMinGainDb = -20;
constexpr int kMaxGainDb = 20;
constexpr int kMaxLevelPos = 100;
constexpr int kLevelStep = 10;
constexpr int kMinTop = -500, kMaxTop = 500;
constexpr int kMinRange = 10, kMaxRange = 500;
} // namespace rtpanel
