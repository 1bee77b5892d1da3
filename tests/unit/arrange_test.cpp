#include "app/logic/arrange.h"

#include <gtest/gtest.h>

#include "support/fake_geometry.h"

namespace yurana {
namespace {

TEST(Arrange, FirstArrangementFromA14400TwipFrame) {
    test::FakeWindow frame, form0, form1, form3;
    test::FakeScrollBar v, h;
    frame.w = 14400;
    frame.h = 10800;
    form1.w = 10350;
    v.w = 375;
    form0.shown = form1.shown = form3.shown = false;
    Windows win{frame, form0, form1, form3, v, h};
    LayoutFlags flags{kTrue, kFalse};

    arrange(win, flags);

    EXPECT_EQ(form0.l, 0);
    EXPECT_EQ(form0.t, 0);
    EXPECT_EQ(form0.w, 7200);
    EXPECT_EQ(form0.h, 5400);
    // The panel went to Left 7200, then to its own width, at Top 1, as high as form0.
    ASSERT_GE(form1.log.size(), 2u);
    EXPECT_EQ(form1.log[0], "H5400.000000");
    EXPECT_EQ(form1.log[1], "L7200.000000");
    EXPECT_EQ(form1.l, 10350);
    EXPECT_EQ(form1.t, 1);
    EXPECT_EQ(form1.h, 5400);
    EXPECT_EQ(v.t, 0);
    EXPECT_EQ(v.l, 8970 - 375);
    EXPECT_EQ(form3.t, 5400);
    EXPECT_EQ(form3.l, 0);
    EXPECT_EQ(form3.w, 14400);
    EXPECT_EQ(form3.h, 10800 - 600 - 5400);
    EXPECT_TRUE(form0.shown && form1.shown && form3.shown);
    EXPECT_EQ(flags.saihaichi, kFalse);
}

TEST(Arrange, FrameResizeRequestsAPassUnlessCollapsed) {
    LayoutFlags flags;
    frameResized(flags);
    EXPECT_EQ(flags.saihaichi, kTrue);
    flags = {kFalse, kTrue};
    frameResized(flags);
    EXPECT_EQ(flags.saihaichi, kFalse);
}

}  // namespace
}  // namespace yurana
