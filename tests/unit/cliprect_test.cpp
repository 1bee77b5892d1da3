#include "animation/cliprect.h"

#include <gtest/gtest.h>

namespace yurana {
namespace {

struct ClipCase {
    const char* name;
    Rect dest, src;
    Rect wantDest, wantSrc;
};

class Cliprect : public testing::TestWithParam<ClipCase> {};

TEST_P(Cliprect, ShrinksTheSourceInProportion) {
    ClipCase c = GetParam();
    cliprect(c.dest, c.src, 640, 480);
    EXPECT_EQ(c.dest, c.wantDest);
    EXPECT_EQ(c.src, c.wantSrc);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cliprect,
    testing::Values(
        ClipCase{"inside",
                 {280, 344, 360, 424},
                 {0, 0, 200, 200},
                 {280, 344, 360, 424},
                 {0, 0, 200, 200}},
        // 20 of 100 rows above the top: the first 20 % of the source is cut.
        ClipCase{"top", {0, -20, 640, 80}, {0, 0, 640, 200}, {0, 0, 640, 80}, {0, 40, 640, 200}},
        ClipCase{
            "topFromOffsetSource", {5, -10, 9, 30}, {3, 8, 7, 48}, {5, 0, 9, 30}, {3, 18, 7, 48}},
        // 80 of 100 rows above the bottom limit stay.
        ClipCase{"bottom", {0, 400, 10, 500}, {0, 0, 10, 100}, {0, 400, 10, 480}, {0, 0, 10, 80}},
        // Both edges: the bottom uses the top already clipped (5 + 480/530 · 53 = 53).
        ClipCase{"both", {0, -50, 10, 530}, {0, 0, 10, 58}, {0, 0, 10, 480}, {0, 5, 10, 53}},
        // Halves go to the even neighbour: 1/4 · 2 = 0.5 -> 0, 3/4 · 2 = 1.5 -> 2.
        ClipCase{"topHalfDown", {0, -1, 10, 3}, {0, 0, 10, 2}, {0, 0, 10, 3}, {0, 0, 10, 2}},
        ClipCase{"topHalfUp", {0, -3, 10, 1}, {0, 0, 10, 2}, {0, 0, 10, 1}, {0, 2, 10, 2}},
        ClipCase{
            "bottomHalfDown", {0, 479, 10, 483}, {0, 0, 10, 2}, {0, 479, 10, 480}, {0, 0, 10, 0}},
        ClipCase{
            "bottomHalfUp", {0, 477, 10, 481}, {0, 0, 10, 2}, {0, 477, 10, 480}, {0, 0, 10, 2}},
        // Wholly outside: the destination comes out inverted, so the copy is refused.
        ClipCase{"below",
                 {280, 944, 360, 1024},
                 {0, 0, 200, 200},
                 {280, 944, 360, 480},
                 {0, 0, 200, -1160}},
        ClipCase{"above", {0, -50, 640, -10}, {0, 0, 640, 40}, {0, 0, 640, -10}, {0, 50, 640, 40}},
        // A zero-height destination makes the arithmetic fail: the source becomes
        // rows 0..height and the destination stays as it was.
        ClipCase{"zeroHeightAbove", {7, -5, 9, -5}, {1, 3, 2, 9}, {7, -5, 9, -5}, {1, 0, 2, 480}},
        ClipCase{
            "zeroHeightBelow", {7, 500, 9, 500}, {1, 3, 2, 9}, {7, 500, 9, 500}, {1, 0, 2, 480}},
        // Zero height inside the canvas needs no arithmetic and is left alone.
        ClipCase{
            "zeroHeightInside", {0, 10, 640, 10}, {0, 0, 5, 5}, {0, 10, 640, 10}, {0, 0, 5, 5}}),
    [](const testing::TestParamInfo<ClipCase>& info) { return info.param.name; });

TEST(CliprectLimits, OnlyTheHeightLimitCounts) {
    Rect dest{-30, 100, 900, 200};
    Rect src{0, 0, 10, 10};
    cliprect(dest, src, 640, 150);
    EXPECT_EQ(dest, (Rect{-30, 100, 900, 150}));
    EXPECT_EQ(src, (Rect{0, 0, 10, 5}));
}

}  // namespace
}  // namespace yurana
