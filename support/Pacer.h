#pragma once
// Lets frequent work happen at most once per interval: a loop that runs thousands of times
// a second asks Due() and does the costly part (a look at the message queue, a new caption)
// only then. Time comes from the performance counter, so the interval holds to the
// microsecond on every system.

class TPacer {
 public:
  explicit TPacer(double intervalMs) noexcept;
  // True once the interval has passed since the last Mark, and before the first Mark.
  bool Due() const noexcept;
  void Mark() noexcept;
  // Due(), and when it is, Mark() as well.
  bool TakeIfDue() noexcept;

 private:
  long long FInterval;
  long long FLast = 0;
  bool FMarked = false;
};
