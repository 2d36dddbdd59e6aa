// The window tests' table of questions as JSON, for the tests that drive the
// program from outside (the page in a browser, the Linux program through its
// accessibility interface) to ask the same questions.
#include <cstdio>
#include <string>

#include "platform/text.h"
#include "support/expected_rows.h"

namespace {

std::string quoted(const std::u16string& text)
{
    std::string out = "\"";
    for (char c : platform::to_utf8(text)) {
        if (c == '"' || c == '\\') out += '\\', out += c;
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + "\"";
}

std::string optional(const std::optional<std::u16string>& text) { return text ? quoted(*text) : "null"; }

}  // namespace

int main()
{
    std::printf("[\n");
    const auto& rows = expected::rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const expected::Row& r = rows[i];
        std::printf(" {\"button\": %s, \"value\": %s, \"dfnum\": %s, \"dfden\": %s, \"line\": %s, \"message\": %s,"
                    " \"driven\": %s, \"exact\": %s, \"critical\": %s, \"note\": %s, \"asked\": %s}%s\n",
                    quoted(expected::button_caption(r.distribution)).c_str(), quoted(r.value).c_str(),
                    optional(r.dfnum).c_str(), optional(r.dfden).c_str(), quoted(r.line).c_str(),
                    quoted(r.message).c_str(), r.driven ? "true" : "false", quoted(r.exact).c_str(), quoted(r.critical).c_str(),
                    quoted(r.note).c_str(), quoted(r.asked).c_str(), i + 1 < rows.size() ? "," : "");
    }
    std::printf("]\n");
}
