#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quintello::test {

// Power cuts and killed programs, simulated: a write action runs in a child process that is
// killed with SIGKILL after a random delay, many times over, and after each kill a check looks
// at what was left on disk. A new write to protect needs only its three functions:
//
//   killAtRandomPoints({.prepare = [&] { /* files the write starts from */ },
//                       .action = [&] { /* the write, as the program does it */ },
//                       .check = [&](const KillRound& round) { /* whole or untouched? */ }});
//
// The delays spread evenly over the time the action takes when left alone (measured first),
// and a little past it, so some rounds see the action finish.
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
  int rounds = 0;       // 0: QUINTELLO_KILL_ROUNDS from the environment, else 30
  unsigned seed = 0;    // 0: QUINTELLO_KILL_SEED from the environment, else 1
  double spread = 1.2;  // the longest delay, as a multiple of the action's time
};

// Runs the plan; returns the action's time left alone. Throws std::runtime_error when the
// action fails on its own (it must succeed when nobody kills it).
std::chrono::microseconds killAtRandomPoints(const KillPlan& plan);

}  // namespace quintello::test
