#include "support/kill_harness.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <thread>

namespace quintello::test {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

int fromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

pid_t startChild(const std::function<void()>& action) {
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    int status = 0;
    try {
      action();
    } catch (...) {
      status = 1;
    }
    _exit(status);  // no exit handlers of the test program in the child
  }
  return child;
}

// Waits for the child; its exit status, or -1 when a signal ended it.
int reap(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string KillRound::describe() const {
  return "round " + std::to_string(index) + ", killed after " + std::to_string(delay.count()) +
         " us" + (finished ? " (the action had finished)" : "");
}

microseconds killAtRandomPoints(const KillPlan& plan) {
  const int rounds = plan.rounds > 0 ? plan.rounds : fromEnvironment("QUINTELLO_KILL_ROUNDS", 30);
  const unsigned seed =
      plan.seed > 0 ? plan.seed : static_cast<unsigned>(fromEnvironment("QUINTELLO_KILL_SEED", 1));

  plan.prepare();
  const auto start = Clock::now();
  if (reap(startChild(plan.action)) != 0)
    throw std::runtime_error("the action fails even when nobody kills it");
  const auto alone = std::chrono::duration_cast<microseconds>(Clock::now() - start);

  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> delays(
      0, static_cast<long long>(alone.count() * plan.spread));
  for (int index = 1; index <= rounds; ++index) {
    plan.prepare();
    KillRound round{index, microseconds(delays(random)), false};
    const pid_t child = startChild(plan.action);
    std::this_thread::sleep_for(round.delay);
    kill(child, SIGKILL);
    round.finished = reap(child) == 0;
    plan.check(round);
  }
  return alone;
}

}  // namespace quintello::test
