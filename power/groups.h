#pragma once
// Two groups of a total N, the second RATIO times the first as nearly as
// whole groups allow: what the two-group designs share.
#include <cmath>

#include "platform/number_text.h"
#include "power/design.h"
#include "run/exact_text.h"

namespace power::groups {

// The second group of a first of n1, as Find N makes it.
inline long long second(double ratio, long long n1) { return static_cast<long long>(std::ceil(ratio * double(n1))); }

// Find N's m-th candidate: m and ceil(RATIO m).
inline long long n_of_step(const Values& v, long long m) { return m + second(v.at("ratio"), m); }

// The first group is the largest n1 (at least 1) whose design, n1 +
// ceil(RATIO n1), fits in N: an N that Find N gave splits back as it was
// found, and any other gives its rest to the second group, which the answer
// then says. False where N cannot hold two groups.
inline bool lay_out(const Values& v, long long n, Layout& out)
{
    const double ratio = v.at("ratio");
    out = {};
    out.n = n;
    long long n1 = static_cast<long long>(std::floor(double(n) / (1 + ratio)));
    while (n1 > 1 && n1 + second(ratio, n1) > n) --n1;
    n1 = std::max(n1, 1LL);
    while (n1 + 1 + second(ratio, n1 + 1) <= n) ++n1;
    const long long n2 = n - n1;
    out.groups = {{u"n1", n1}, {u"n2", n2}};
    out.kept = n2 == second(ratio, n1);
    return n2 >= 1 && n >= 3;
}

inline Text split_words(const Values& v, const Layout& at, char16_t separator)
{
    return u"n1 = " + platform::whole(at.groups[0].second) + u", n2 = " + platform::whole(at.groups[1].second) +
           u": RATIO " + run::short_number(v.at("ratio"), separator) + u" cannot be kept at N = " +
           platform::whole(at.n) + u".";
}

}  // namespace power::groups
