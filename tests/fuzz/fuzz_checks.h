#pragma once
// What every fuzz input must satisfy; a broken rule stops the fuzzer there.
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "platform/text.h"

inline void require(bool holds, const char* rule, const std::string& detail = {})
{
    if (holds) return;
    std::fprintf(stderr, "broken: %s: %s\n", rule, detail.c_str());
    std::abort();
}

inline void require(bool holds, const char* rule, const platform::Text& detail)
{
    require(holds, rule, platform::to_utf8(detail));
}

inline bool matches(const platform::Text& text, const std::string& pattern)
{
    return std::regex_match(platform::to_utf8(text), std::regex(pattern));
}
