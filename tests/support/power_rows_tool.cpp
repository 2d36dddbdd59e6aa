// The power scenarios for a driver that is not C++ (the page's, in Python):
//   power_rows_tool list          the scenarios as JSON: name, the design's and
//                                 the question's buttons, and the boxes to type,
//                                 each by its label's caption
//   power_rows_tool check FILE    checks what the driver read, one scenario a
//                                 line: name, answer, result, the two pictures'
//                                 words, tab-separated, "\n" for a line end;
//                                 prints each failure, exits 1 if any
// so that the checks are written once, in power_scenarios.h.
#include <cstdio>
#include <fstream>
#include <string>

#include "run/power.h"
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
    run::Design design = run::Design::t_two_groups;
    for (const run::Design d : run::all_designs)
        if (run::describe(d).button == design_button) design = d;
    const run::DesignInfo& d = run::describe(design);
    if (key == "effect") return u"EFFECT SIZE " + d.effect;
    if (key == "alpha") return u"\u03B1";
    if (key == "power") return u"POWER";
    if (key == "n") return u"TOTAL N";
    if (key == "tails") return u"TAILS";
    if (key == "ratio") return u"RATIO n2/n1";
    if (key == "groups") return u"GROUPS k";
    if (key == "predictors") return u"PREDICTORS p";
    if (key == "df") return u"DEGREES OF FREEDOM";
    return u"OBSERVED " + d.statistic;
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
    if (mode == "list") {
        std::printf("[\n");
        const auto& all = power_rows::scenarios();
        for (size_t i = 0; i < all.size(); ++i) {
            const power_rows::Scenario& s = all[i];
            std::string boxes;
            for (const auto& [key, text] : s.boxes)
                boxes += std::string(boxes.empty() ? "" : ", ") + "[" + quoted(caption_of(key, s.design)) + ", " +
                         quoted(text) + "]";
            std::printf(" {\"name\": %s, \"design\": %s, \"question\": %s, \"boxes\": [%s]}%s\n",
                        quoted(platform::from_utf8(s.name)).c_str(), quoted(s.design).c_str(),
                        quoted(s.question).c_str(), boxes.c_str(), i + 1 < all.size() ? "," : "");
        }
        std::printf("]\n");
        return 0;
    }
    if (mode == "check" && argc > 2) {
        std::ifstream in(argv[2]);
        int failures = 0, checked = 0;
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> f;
            size_t start = 0;
            for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
                f.push_back(line.substr(start, tab - start));
            f.push_back(line.substr(start));
            if (f.size() != 5) {
                std::printf("a line of %zu fields: %s\n", f.size(), line.c_str());
                ++failures;
                continue;
            }
            for (const power_rows::Scenario& s : power_rows::scenarios()) {
                if (s.name != f[0]) continue;
                ++checked;
                for (const std::string& failure :
                     power_rows::check(s, unescaped(f[1]), unescaped(f[2]), unescaped(f[3]), unescaped(f[4]))) {
                    std::printf("%s\n", failure.c_str());
                    ++failures;
                }
            }
        }
        if (checked != int(power_rows::scenarios().size())) {
            std::printf("%d of %zu scenarios were read\n", checked, power_rows::scenarios().size());
            ++failures;
        }
        return failures ? 1 : 0;
    }
    std::fprintf(stderr, "power_rows_tool list | check FILE\n");
    return 2;
}
