#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quintello::test {

// Power cuts simulated: a write action runs in a child killed with SIGKILL after a random delay
// (up to a little past the time it takes alone), many times, each round followed by a check.
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

// Runs the plan (seed QUINTELLO_KILL_SEED, else 1); returns the action's time left alone.
std::chrono::microseconds killAtRandomPoints(const KillPlan& plan);

}  // namespace quintello::test
