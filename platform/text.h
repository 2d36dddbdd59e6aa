#pragma once
// Text as both toolkits hold it: UTF-16 code units.
#include <string>
#include <string_view>

namespace platform {

using Text = std::u16string;

// ASCII or UTF-8 text of the program's own (messages, fault words) as Text.
Text from_utf8(std::string_view utf8);
std::string to_utf8(const Text& text);

}  // namespace platform
