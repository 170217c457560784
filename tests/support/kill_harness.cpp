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

using std::chrono::microseconds;

int fromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

pid_t startChild(const std::function<void()>& action) {
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child > 0) return child;
  int status = 0;
  try {
    action();
  } catch (...) {
    status = 1;
  }
  _exit(status);  // no exit handlers of the test program in the child
}

// True when the child ended on its own with status 0.
bool reapedWhole(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) continue;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string KillRound::describe() const {
  return "round " + std::to_string(index) + ", killed after " + std::to_string(delay.count()) +
         " us" + (finished ? " (the action had finished)" : "");
}

microseconds killAtRandomPoints(const KillPlan& plan) {
  plan.prepare();
  const auto start = std::chrono::steady_clock::now();
  if (!reapedWhole(startChild(plan.action)))
    throw std::runtime_error("the action fails even when nobody kills it");
  const auto alone =
      std::chrono::duration_cast<microseconds>(std::chrono::steady_clock::now() - start);
  std::mt19937 random(static_cast<unsigned>(fromEnvironment("QUINTELLO_KILL_SEED", 1)));
  std::uniform_int_distribution<long long> delays(0, alone.count() * 6 / 5);
  const int rounds = plan.rounds > 0 ? plan.rounds : fromEnvironment("QUINTELLO_KILL_ROUNDS", 30);
  for (int index = 1; index <= rounds; ++index) {
    plan.prepare();
    KillRound round{index, microseconds(delays(random)), false};
    const pid_t child = startChild(plan.action);
    std::this_thread::sleep_for(round.delay);
    kill(child, SIGKILL);
    round.finished = reapedWhole(child);
    plan.check(round);
  }
  return alone;
}

}  // namespace quintello::test
