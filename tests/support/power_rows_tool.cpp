// The power scenarios for a driver that is not C++ (the page's, in Python):
//   power_rows_tool list [SEP]    the scenarios as JSON: name, the design's and
//                                 the question's buttons, and the boxes to type,
//                                 each by its label's caption; or a walk's steps;
//                                 SEP is the page's decimal separator
//   power_rows_tool check FILE [SEP]  checks what the driver read, one scenario a
//                                 line: name, answer, result, the two pictures'
//                                 words, or a walk's readings in order,
//                                 tab-separated, "\n" for a line end; prints
//                                 each failure, exits 1 if any
// so that the checks are written once, in power_scenarios.h.
#include <cstdio>
#include <fstream>
#include <string>

#include "power/design.h"
#include "support/power_scenarios.h"

namespace {

std::string quoted(const std::u16string& text)
{
    std::string out = "\"";
    for (char c : platform::to_utf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The caption of the label that names a box, in the design's words.
std::u16string caption_of(const std::string& key, const std::u16string& design_button)
{
    const power::Design* d = power::design_of_button(design_button);
    const power::Box* box = d ? d->box(key) : nullptr;
    return box ? box->caption : u"no box " + platform::from_utf8(key);
}

bool reads(power_rows::Step::Kind kind) { return kind >= power_rows::Step::Kind::expect_box; }

// A walk's steps for the driver: what to click, type or read, a box by the
// caption it has in the design chosen at that step.
std::string steps_of(const power_rows::Scenario& s)
{
    using K = power_rows::Step::Kind;
    static const char* const kinds[] = {"choose", "type", "press", "reopen", "box", "chosen", "answer", "result", "copy"};
    std::u16string design = power::designs()[1]->button;
    std::string out;
    for (const power_rows::Step& step : s.steps) {
        if (step.kind == K::choose) design = step.text;
        const std::u16string caption = step.key.empty() ? u"" : caption_of(step.key, design);
        out += std::string(out.empty() ? "" : ", ") + "{\"kind\": \"" + kinds[int(step.kind)] + "\", \"caption\": " +
               quoted(caption) + ", \"text\": " + quoted(reads(step.kind) ? u"" : step.text) + "}";
    }
    return out;
}

std::u16string unescaped(const std::string& field)
{
    std::string out;
    for (size_t k = 0; k < field.size(); ++k) {
        if (field[k] == '\\' && k + 1 < field.size() && field[k + 1] == 'n') {
            out += '\n';
            ++k;
        } else {
            out += field[k];
        }
    }
    return platform::from_utf8(out);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    // The separator the page's language gives, as the driver names it last.
    const std::string last = argv[argc - 1];
    const char16_t separator = last == "," ? u',' : u'.';
    const std::vector<power_rows::Scenario> all = power_rows::scenarios(separator);
    if (mode == "list") {
        std::printf("[\n");
        for (size_t i = 0; i < all.size(); ++i) {
            const power_rows::Scenario& s = all[i];
            std::string boxes;
            for (const auto& [key, text] : s.boxes)
                boxes += std::string(boxes.empty() ? "" : ", ") + "[" + quoted(caption_of(key, s.design)) + ", " +
                         quoted(text) + "]";
            std::printf(" {\"name\": %s, \"design\": %s, \"question\": %s, \"boxes\": [%s], \"steps\": [%s]}%s\n",
                        quoted(platform::from_utf8(s.name)).c_str(), quoted(s.design).c_str(),
                        quoted(s.question).c_str(), boxes.c_str(), steps_of(s).c_str(), i + 1 < all.size() ? "," : "");
        }
        std::printf("]\n");
        return 0;
    }
    if (mode == "check" && argc > 2) {
        std::ifstream in(argv[2]);
        int failures = 0;
        size_t checked = 0;
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> f;
            size_t start = 0;
            for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
                f.push_back(line.substr(start, tab - start));
            f.push_back(line.substr(start));
            for (const power_rows::Scenario& s : all) {
                if (s.name != f[0]) continue;
                ++checked;
                std::vector<std::string> found;
                if (!s.steps.empty()) {
                    // A walk: one reading a step that reads, in order.
                    size_t k = 1;
                    for (const power_rows::Step& step : s.steps) {
                        if (!reads(step.kind)) continue;
                        const std::string failure =
                            k < f.size() ? power_rows::check_reading(step, unescaped(f[k])) : "no reading";
                        if (!failure.empty()) found.push_back(s.name + ": " + failure);
                        ++k;
                    }
                } else if (f.size() != 5) {
                    found.push_back("a line of " + std::to_string(f.size()) + " fields: " + line);
                } else {
                    found = power_rows::check(s, unescaped(f[1]), unescaped(f[2]), unescaped(f[3]), unescaped(f[4]));
                }
                for (const std::string& failure : found) std::printf("%s\n", failure.c_str());
                failures += int(found.size());
            }
        }
        if (checked != all.size()) {
            std::printf("%zu of %zu scenarios were read\n", checked, all.size());
            ++failures;
        }
        return failures ? 1 : 0;
    }
    std::fprintf(stderr, "power_rows_tool list [SEP] | check FILE [SEP]\n");
    return 2;
}
