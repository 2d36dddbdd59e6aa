#pragma once

namespace numeric {

#if defined(__EMSCRIPTEN__) || defined(__SIZEOF_FLOAT128__)
#define VARENDO_HAS_QUADRUPLE 1
#if defined(__EMSCRIPTEN__)
using Quadruple = long double;  // IEEE quadruple there
#else
using Quadruple = __float128;
#endif

// a / b in IEEE quadruple precision, rounded to nearest, ties to even, with
// IEEE's zeros, infinities, NaNs and subnormals.
Quadruple divide(Quadruple a, Quadruple b);
#endif

}  // namespace numeric
