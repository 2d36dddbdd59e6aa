#pragma once
// The boxes the designs share, each with what it accepts; a design lists
// the ones it has, in the order its rows show them. Those of the study
// planned come first, then those of the result observed.
#include "engine/evaluation.h"
#include "power/design.h"

namespace power::boxes {

inline Box effect(const Text& name, const Text& medium)
{
    return {"effect", u"EFFECT SIZE " + name, medium, Box::Kind::number, 0};
}
inline Box alpha() { return {"alpha", u"\u03B1", u"0.05", Box::Kind::level}; }
inline Box power() { return {"power", u"POWER", u"0.8", Box::Kind::level}; }
inline Box n() { return {"n", u"TOTAL N", u"", Box::Kind::whole, 1, double(largest_n)}; }
inline Box tails() { return {"tails", u"TAILS", u"2", Box::Kind::whole, 1, 2}; }
inline Box ratio() { return {"ratio", u"RATIO n2/n1", u"1", Box::Kind::number, 0, 1e6, true}; }
// Designs beyond these sizes are not studies one plans; bounded, every
// answer stays within its time.
inline Box groups() { return {"groups", u"GROUPS k", u"3", Box::Kind::whole, 2, 1000}; }
inline Box predictors() { return {"predictors", u"PREDICTORS p", u"1", Box::Kind::whole, 1, 1000}; }
// A chance or a correlation: strictly between its ends.
inline Box chance(const std::string& key, const Text& caption, const Text& initial)
{
    return {key, caption, initial, Box::Kind::number, 0, 1, true, true};
}
inline Box correlation(const std::string& key, const Text& caption, const Text& initial)
{
    return {key, caption, initial, Box::Kind::number, -1, 1, true, true};
}
inline Box degrees() { return {"df", u"DEGREES OF FREEDOM", u"1", Box::Kind::number, 0, 10000, true}; }

// The result as a paper reports it: the statistic and its own degrees (or N).
inline Box observed(const Text& statistic) { return {"observed", u"OBSERVED " + statistic, u"", Box::Kind::number}; }
inline Box observed_degrees(const std::string& key, const Text& name)
{
    return {key, u"OBSERVED " + name, u"", Box::Kind::number, 0, engine::largest_degrees, true};
}
inline Box observed_n() { return {"observed_n", u"OBSERVED N", u"", Box::Kind::whole, 1, double(largest_n)}; }

}  // namespace power::boxes
