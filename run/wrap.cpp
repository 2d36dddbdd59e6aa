#include "run/wrap.h"

namespace run {

namespace {

// One line of text broken at blanks.
Text wrapped_line(const Text& text, size_t columns)
{
    Text out, line;
    bool first = true;  // the line holds no word yet
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u' ', start);
        if (end == Text::npos) end = text.size();
        Text word = text.substr(start, end - start);
        start = end + 1;
        for (;;) {
            // A word after another needs a blank before it.
            const size_t need = word.size() + (first ? 0 : 1);
            if (line.size() + need <= columns) {
                line += (first ? Text() : u" ") + word;
                first = false;
                break;
            }
            if (!first) {
                out += line + u'\n';
                line.clear();
                first = true;
                continue;
            }
            out += word.substr(0, columns) + u'\n';
            word.erase(0, columns);
        }
    }
    return out + line;
}

}  // namespace

Text wrapped(const Text& text, size_t columns)
{
    if (columns == 0) return text;
    Text out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(u'\n', start);
        out += wrapped_line(text.substr(start, end == Text::npos ? Text::npos : end - start), columns);
        if (end == Text::npos) return out;
        out += u'\n';
        start = end + 1;
    }
}

}  // namespace run
