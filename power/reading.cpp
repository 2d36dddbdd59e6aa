#include "power/reading.h"

#include <cmath>

#include "platform/number_text.h"
#include "run/box_note.h"
#include "run/exact_text.h"

namespace power {

double read_box(const Box& box, const Text& text, char16_t separator, std::vector<Text>& notes)
{
    const Text& name = box.caption;
    const platform::Reading r = platform::read_number(text, true);
    if (r.too_large) throw Refusal{name + u" is too large for a number the program holds."};
    if (!r.number) throw Refusal{name + u" holds no number."};
    const double v = r.value;
    const auto number = [&](double x) { return run::short_number(x, separator); };

    switch (box.kind) {
    case Box::Kind::level:
        if (!(v > 0 && v < 1)) throw Refusal{name + u" must be between 0 and 1."};
        break;
    case Box::Kind::whole:
        if (v != std::floor(v)) throw Refusal{name + u" must be a whole number."};
        if (v < box.least) throw Refusal{name + u" must be at least " + number(box.least) + u"."};
        if (v > box.most) throw Refusal{name + u" must be at most " + number(box.most) + u"."};
        break;
    case Box::Kind::number:
        if (box.above && std::isinf(box.most) && !(v > box.least))
            throw Refusal{name + u" must be above " + number(box.least) + u"."};
        if (box.above && box.below && !(v > box.least && v < box.most))
            throw Refusal{name + u" must lie between " + number(box.least) + u" and " + number(box.most) + u"."};
        if (box.above && !(v > box.least && v <= box.most))
            throw Refusal{name + u" must be above " + number(box.least) + u" and at most " + number(box.most) + u"."};
        if (!box.above && box.least == 0 && v < 0) throw Refusal{name + u" must not be negative."};
        break;
    }

    const Text read = text.substr(0, r.end), rest = run::trimmed(text.substr(r.end));
    if (!rest.empty()) {
        notes.push_back(run::read_note(name, text, v, u"\"" + run::quoted(rest) + u"\" was ignored", separator));
    } else if (box.kind == Box::Kind::whole) {
        for (const char16_t mark : {u'.', u','})
            if (read.find(mark) != Text::npos)
                notes.push_back(run::read_note(name, text, v,
                                               Text(mark == u'.' ? u"a point" : u"a comma") +
                                                   u" reads as a decimal separator, never between thousands",
                                               separator));
    }
    return v;
}

}  // namespace power
