#pragma once
// The power window's controls as a scenario names them, for the drivers that
// run in process (Qt and Win32): a box by its key, a button by its caption;
// and a walk through the window, each driver clicking and typing its own way.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "forms/frm_power.h"
#include "support/power_scenarios.h"

namespace power_rows {

inline platform::TextBox& box_of(forms::frm_power& w, const std::string& key)
{
    if (platform::TextBox* box = w.box(key)) return *box;
    throw std::runtime_error("no box " + key);
}

inline platform::CommandButton& button_of(forms::frm_power& w, const Text& caption)
{
    for (auto& b : w.cmd_designs)
        if (b->caption() == caption) return *b;
    for (platform::CommandButton* b : {&w.cmd_find_power, &w.cmd_find_n, &w.cmd_find_effect, &w.cmd_find_alpha})
        if (b->caption() == caption) return *b;
    throw std::runtime_error("no button " + platform::to_utf8(caption));
}

// Every text of a picture wholly inside it, none over another in its row:
// nothing cut, whatever the numbers (an N axis up to 10^9 among them).
inline std::vector<std::string> picture_failures(const std::string& name, const platform::Drawing& d)
{
    std::vector<std::string> failures;
    struct Span {
        double from, to, y;
        Text text;
    };
    std::vector<Span> spans;
    for (const platform::Shape& s : d.shapes) {
        if (s.kind != platform::Shape::Kind::text) continue;
        const double w = platform::text_width(s.text, s.size);
        const double from = s.points[0].x - (s.align == platform::Align::center ? w / 2
                                             : s.align == platform::Align::right ? w : 0);
        if (from < 0 || from + w > d.width || s.points[0].y < 0)
            failures.push_back(name + ": " + platform::to_utf8(s.text) + " runs past the picture");
        for (const Span& o : spans)
            if (std::fabs(o.y - s.points[0].y) < s.size && from < o.to && o.from < from + w)
                failures.push_back(name + ": " + platform::to_utf8(s.text) + " over " + platform::to_utf8(o.text));
        spans.push_back({from, from + w, s.points[0].y, s.text});
    }
    return failures;
}

// What the checks read of the window.
inline std::vector<std::string> check_window(const Scenario& s, forms::frm_power& w)
{
    std::vector<std::string> failures = check(s, w.lbl_answer.caption(), w.lbl_result.caption(),
                                              w.pic_distributions.drawing().words, w.pic_power_curve.drawing().words);
    for (const platform::DrawingBox* p : {&w.pic_distributions, &w.pic_power_curve})
        for (std::string& f : picture_failures(s.name, p->drawing())) failures.push_back(std::move(f));
    return failures;
}

// A scenario's walk, the driver's own click and type doing each step; the
// power window open. Reopening goes Back and through Power... again.
template <class Click, class Type>
std::vector<std::string> walk(const Scenario& s, forms::frm_power& w, platform::CommandButton& power_button,
                              const Click& click, const Type& type)
{
    std::vector<std::string> failures;
    for (const Step& step : s.steps) {
        Text read;
        switch (step.kind) {
        case Step::Kind::choose:
        case Step::Kind::press: click(button_of(w, step.text)); continue;
        case Step::Kind::type: type(box_of(w, step.key), step.text); continue;
        case Step::Kind::reopen:
            click(w.cmd_back);
            click(power_button);
            continue;
        case Step::Kind::expect_box: read = box_of(w, step.key).text(); break;
        case Step::Kind::expect_chosen:
            for (auto& b : w.cmd_designs)
                if (b->pressed()) read += (read.empty() ? u"" : u", ") + b->caption();
            break;
        case Step::Kind::expect_answer: read = w.lbl_answer.caption(); break;
        case Step::Kind::expect_result: read = w.lbl_result.caption(); break;
        case Step::Kind::expect_copy:
            click(w.cmd_copy);
            read = platform::clipboard_text();
            break;
        }
        const std::string failure = check_reading(step, read);
        if (!failure.empty()) failures.push_back(s.name + ": " + failure);
    }
    for (const platform::DrawingBox* p : {&w.pic_distributions, &w.pic_power_curve})
        for (std::string& f : picture_failures(s.name, p->drawing())) failures.push_back(std::move(f));
    return failures;
}

}  // namespace power_rows
