#pragma once
// A probability that keeps its digits below the smallest double: its value
// and, beside it, its natural logarithm, which still holds four significant
// digits at 10^-1000000000.

namespace engine {

struct Probability {
    double value;  // 0 only for a probability that is 0 or below about 4.9e-324
    double log;    // natural logarithm of the probability; -infinity for 0
};

// Both tails of a distribution at one point, each computed as itself, never
// one as 1 minus the other where that would lose its digits.
struct Tails {
    Probability lower, upper;
};

}  // namespace engine
