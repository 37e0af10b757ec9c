#include <gtest/gtest.h>

#include "Pacer.h"

// The logic only; the intervals are long or zero, so no result depends on the machine's speed.
TEST(Pacer, DueBeforeTheFirstMarkThenOncePerInterval) {
  TPacer slow(60000);
  EXPECT_TRUE(slow.Due());
  EXPECT_TRUE(slow.TakeIfDue());
  EXPECT_FALSE(slow.Due());
  EXPECT_FALSE(slow.TakeIfDue());

  TPacer marked(60000);
  marked.Mark();
  EXPECT_FALSE(marked.Due());

  TPacer always(0);
  EXPECT_TRUE(always.TakeIfDue());
  EXPECT_TRUE(always.TakeIfDue());
}
