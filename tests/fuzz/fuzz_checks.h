#pragma once
// What every fuzz input must satisfy; a broken rule stops the fuzzer there.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

#include "platform/text.h"

// Eight input bytes as a whole number, and as the double with those bits.
inline std::uint64_t bits_at(const std::uint8_t* bytes)
{
    std::uint64_t bits;
    std::memcpy(&bits, bytes, sizeof bits);
    return bits;
}

inline double double_at(const std::uint8_t* bytes)
{
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

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

// Each pattern is compiled once: compiling one per input would be most of
// the fuzzer's time.
inline bool matches(const platform::Text& text, const std::string& pattern)
{
    static std::map<std::string, std::regex> compiled;
    auto at = compiled.find(pattern);
    if (at == compiled.end()) at = compiled.emplace(pattern, std::regex(pattern)).first;
    return std::regex_match(platform::to_utf8(text), at->second);
}
