#pragma once
#include "engine/probability.h"

namespace engine {

// The four areas the normal line shows, each computed as itself.
struct NormalTails {
    Probability centre;      // between 0 and |z|
    Probability within;      // between -|z| and |z|
    Probability one_tail;    // beyond |z|
    Probability both_tails;  // beyond -|z| and |z| together
};

// The standard normal areas at z, for any finite z, from erfc(|z|/sqrt 2) =
// Q(1/2, z^2/2) and its complement; raises an overflow Fault for an infinite z.
NormalTails normal_tails(double z);

}  // namespace engine
