#pragma once
// Lets frequent work happen at most once per interval: a loop that runs thousands of times
// a second asks Due() and does the costly part (a look at the message queue, a new caption)
// only then. Time comes from the system's tick count: reading it costs a few nanoseconds
// (the performance counter costs about a hundred under Wine, asked after every block of
// a copy), and its steps of 1 to 16 ms are fine for intervals of tens of milliseconds.

class TPacer {
 public:
  explicit TPacer(unsigned intervalMs) noexcept : FInterval(intervalMs) {}
  // True once the interval has passed since the last Mark, and before the first Mark.
  bool Due() const noexcept;
  void Mark() noexcept;
  // Due(), and when it is, Mark() as well.
  bool TakeIfDue() noexcept;

 private:
  unsigned long long FInterval;
  unsigned long long FLast = 0;
  bool FMarked = false;
};
