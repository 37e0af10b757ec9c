#include <gtest/gtest.h>

#include <climits>

#include "ProgressLogic.h"

TEST(ProgressLogic, RefreshRateFollowsMaximumPerPixel) {
  struct Case {
    int maxValue, width, previous, expected;
  } cases[] = {
      {1000, 200, 7, 4},   // about one pixel per shown step
      {100, 200, 7, -1},   // fewer values than pixels: every change shown
      {200, 200, 7, 0},
      {1000, 0, 7, 7},     // no width yet: the rate stays
      {1000, -5, 7, 7},
      {-1000, 200, 7, -6},  // truncates toward zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maxValue << " on " << c.width);
    EXPECT_EQ(c.expected, ValueRefreshRate(c.maxValue, c.width, c.previous));
  }
}

TEST(ProgressLogic, RefreshIsDueAtTheRateWithoutOverflow) {
  struct Case {
    int position, lastShown, rate;
    bool due;
  } cases[] = {
      {3, 0, 4, false}, {4, 0, 4, true}, {7, 4, 4, false}, {8, 4, 4, true}, {0, 4, 4, true},
      {5, 5, -1, true}, {5, 5, 0, true}, {INT_MAX, INT_MIN, 4, true}, {INT_MIN, INT_MAX, INT_MAX, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << " after " << c.lastShown << " rate " << c.rate);
    EXPECT_EQ(c.due, IsRefreshDue(c.position, c.lastShown, c.rate));
  }
}

TEST(ProgressLogic, AddClampedHoldsTheIntRange) {
  EXPECT_EQ(5, AddClamped(2, 3));
  EXPECT_EQ(INT_MAX, AddClamped(INT_MAX, 1));
  EXPECT_EQ(INT_MIN, AddClamped(INT_MIN, -1));
}

TEST(ProgressLogic, LayoutPutsASquareButtonAtTheRightEnd) {
  struct Case {
    int width, height;
    bool button;
    RECT bar, cancel;
  } cases[] = {
      {406, 16, true, {0, 0, 390, 16}, {390, 0, 406, 16}},
      {406, 16, false, {0, 0, 406, 16}, {406, 0, 406, 0}},
      {10, 16, true, {0, 0, 0, 16}, {0, 0, 10, 16}},  // narrower than high: the button takes all
      {0, 0, true, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " button " << c.button);
    const TProgressLayout layout = ProgressBarLayout(c.width, c.height, c.button);
    EXPECT_TRUE(EqualRect(&c.bar, &layout.Bar));
    EXPECT_TRUE(EqualRect(&c.cancel, &layout.Button));
  }
}

TEST(ProgressLogic, PercentStaysWithinZeroAndHundred) {
  struct Case {
    int position, minValue, maxValue, percent;
  } cases[] = {
      {50, 0, 100, 50}, {1, 0, 3, 33}, {-5, 0, 100, 0}, {150, 0, 100, 100}, {5, 5, 5, 100},
      {0, 10, 5, 0}, {INT_MAX - 1, INT_MIN, INT_MAX, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << " in " << c.minValue << ".." << c.maxValue);
    EXPECT_EQ(c.percent, ProgressPercent(c.position, c.minValue, c.maxValue));
  }
  EXPECT_EQ(L"42%", ProgressText(42));
}
