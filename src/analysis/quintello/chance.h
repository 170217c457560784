#pragma once

#include <span>

namespace quintello {

// What chance alone gives a forecast, so that a count of outcomes can be read: a number played
// for fifteen draws comes out more often than not without any method behind it.

// The probability that at least `sorte` of `numbers` distinct numbers are among five numbers
// drawn at random from ninety: the sum over j = sorte..min(numbers, 5) of
// C(numbers, j) C(90 - numbers, 5 - j) / C(90, 5), from exact whole numbers.
double drawHitProbability(int numbers, int sorte);

// The probability that a play window of `draws` independent draws holds at least one draw with
// the outcome: 1 - (1 - p)^draws.
double windowHitProbability(double drawProbability, int draws);

// The chance of at least `outcomes` successes when each window succeeds on its own with its
// own probability (the upper tail of that Poisson-binomial distribution), by exact convolution.
double atLeastOutcomes(std::span<const double> windowProbabilities, int outcomes);

}  // namespace quintello
