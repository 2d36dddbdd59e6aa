#include "run/box_note.h"

#include "run/exact_text.h"

namespace run {

Text trimmed(Text text)
{
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.pop_back();
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.erase(0, 1);
    return text;
}

Text quoted(const Text& text)
{
    constexpr size_t longest = 24;
    Text t = trimmed(text);
    if (t.size() > longest) t = t.substr(0, longest - 1) + u"\u2026";
    return t;
}

Text read_note(const Text& name, const Text& text, double value, const Text& why, char16_t separator)
{
    return u"In " + name + u", " + quoted(text) + u" was read as " + short_number(value, separator) + u": " + why + u".";
}

}  // namespace run
