#pragma once

namespace engine {

// A start for theta = sqrt(lambda) in the chi-square's and the F's
// noncentrality searches: the statistic taken as normal, the observed point
// `excess` - lambda above its mean (excess = x - nu for the chi-square) and
// its variance `spread` + 4 lambda, its upper tail there the one whose
// normal quantile is z. At least 1e-3; 1 where no lambda fits.
long double normal_start(long double z, long double excess, long double spread);

}  // namespace engine
