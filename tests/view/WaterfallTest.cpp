#include "ViewTestSupport.h"

#include "view/PlotRoutines.h"
#include "view/Waterfall.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(WaterfallColour, SegmentsOfTheRamp) {
    struct Case {
        int index;
        QColor colour;
    } cases[] = {
        {0, QColor(0, 0, 0)},         {10, QColor(0, 0, 180)},    {43, QColor(0, 6, 255)},
        {100, QColor(0, 255, 247)},   {150, QColor(255, 255, 0)}, {200, QColor(255, 0, 16)},
        {255, QColor(255, 238, 255)}, {-10, QColor(0, 0, 180)},   {266, QColor(0, 0, 180)},
    };
    for (const Case& c : cases) EXPECT_EQ(WaterfallColour(c.index), c.colour) << c.index;
}

TEST(WaterfallColour, LevelIndexWrapsAtTheTop) {
    EXPECT_EQ(WaterfallIndex(-200, 0, -100), 32);
    EXPECT_EQ(WaterfallIndex(-50, 0, -100), 144);
    EXPECT_EQ(WaterfallIndex(0, 0, -100), 0);
    EXPECT_EQ(WaterfallIndex(10, 0, -100), 0);
    EXPECT_EQ(WaterfallIndex(-INFINITY, 0, -100), 32);
}

TEST(Waterfall, NewRowsEnterAtTheTopAndOlderOnesMoveDown) {
    EnsureTestGuiApp();
    QImage canvas;
    const int n = 1024;
    std::vector<float> quiet(n, 1e-9f), loud(n, 1.0f);
    UpdateWaterfall(canvas, loud.data(), n, 0, -100, false);
    UpdateWaterfall(canvas, quiet.data(), n, 0, -100, false);
    ASSERT_EQ(canvas.size(), QSize(kWaterfallSize, kWaterfallSize));
    EXPECT_EQ(QColor(canvas.pixel(10, 0)), WaterfallColour(32));
    EXPECT_EQ(QColor(canvas.pixel(10, 1)), WaterfallColour(0));
    // Two-sided: the upper half of the spectrum stands at the left.
    std::vector<float> halves(n, 1e-9f);
    for (int i = n / 2; i < n; ++i) halves[i] = 1.0f;
    UpdateWaterfall(canvas, halves.data(), n, 0, -100, true);
    EXPECT_EQ(QColor(canvas.pixel(10, 0)), WaterfallColour(0));
    EXPECT_EQ(QColor(canvas.pixel(200, 0)), WaterfallColour(32));
}

} // namespace
