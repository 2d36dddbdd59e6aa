// The parse of a box's text and the four-decimal rendering of what it reads.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_checks.h"
#include "platform/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::Text text = platform::from_utf8(std::string(reinterpret_cast<const char*>(data), size));
    double value = 0;
    try {
        value = platform::parse(text);
    } catch (const platform::NumberTooLarge&) {
        return 0;  // the only refusal the parse has
    }
    require(std::isfinite(value), "parse gives a finite number", text);
    // The same double as the standard library's correctly rounded reading of
    // the same characters (anything beyond ASCII ends a number).
    std::string ascii;
    for (char16_t c : text) ascii += c < 0x80 ? char(c) : '?';
    size_t at = ascii.find_first_not_of(" \t");
    if (at != std::string::npos && (ascii[at] == '+' || ascii[at] == '-')) ++at;
    if (at < ascii.size() && (std::isdigit(static_cast<unsigned char>(ascii[at])) || ascii[at] == '.')) {
        double expected = 0;
        const auto [end, error] = std::from_chars(ascii.data() + at, ascii.data() + ascii.size(), expected);
        if (error == std::errc()) require(std::fabs(value) == expected, "the nearest double", text);
    }
    // The parse stops at the first character that cannot continue a number,
    // so appending text never changes it.
    require(platform::parse(text + u"x,5") == value, "trailing text is ignored", text);

    for (const char16_t separator : {u'.', u','}) {
        const platform::Text shown = platform::render4(value, separator);
        require(matches(shown, "-?[0-9]+[.,][0-9]{4}"), "rendering has four decimals", shown);
        require(shown[shown.size() - 5] == separator, "rendering uses the separator", shown);
        require(!matches(shown, "-[0.,]*"), "no minus sign on zero", shown);
        if (std::fabs(value) < 1e15) {
            std::string plain = platform::to_utf8(shown);
            for (char& c : plain)
                if (c == ',') c = '.';
            require(std::fabs(std::stod(plain) - value) <= 0.00005 + 1e-12 * std::fabs(value),
                    "rendering is the nearest four-decimal value", shown);
        }
    }
    return 0;
}
