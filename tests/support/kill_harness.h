#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quintello::test {

// Power cuts and killed programs, simulated: a write action runs in a child process that is
// killed with SIGKILL after a random delay, many times over, and after each kill a check looks
// at what was left on disk. The delays spread evenly over the time the action takes when left
// alone (measured first), and a little past it, so some rounds see the action finish.
struct KillRound {
  int index = 0;
  std::chrono::microseconds delay{0};
  bool finished = false;         // the child ended on its own before the kill
  std::string describe() const;  // for failure messages: round, delay, outcome
};

struct KillPlan {
  std::function<void()> prepare;                // in this process, before every round
  std::function<void()> action;                 // in the child; an exception ends it with status 1
  std::function<void(const KillRound&)> check;  // in this process, after every round
  int rounds = 0;  // 0: QUINTELLO_KILL_ROUNDS from the environment, else 30
};

// Runs the plan (random delays from QUINTELLO_KILL_SEED, else 1); returns the action's time
// left alone. Throws std::runtime_error when the action fails even when nobody kills it.
std::chrono::microseconds killAtRandomPoints(const KillPlan& plan);

}  // namespace quintello::test
