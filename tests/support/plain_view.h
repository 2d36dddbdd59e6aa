#pragma once
// The main window as the Run command reads it, without any window: a caption,
// three box texts and a separator, for the tests that ask Run directly.
#include "run/distribution.h"
#include "run/run_command.h"

class PlainView : public run::RunView {
public:
    PlainView() = default;
    PlainView(run::DistributionId id, platform::Text value, platform::Text nu1 = {}, platform::Text nu2 = {})
        : caption_text(run::describe(id).caption), texts{std::move(value), std::move(nu1), std::move(nu2)}
    {
    }

    platform::Text caption_text, texts[3];
    char16_t separator = u'.';

    platform::Text caption() const override { return caption_text; }
    platform::Text text(run::Box box) const override { return texts[int(box)]; }
    platform::Text name(run::Box box) const override
    {
        const run::Distribution& f = run::describe(run::DistributionId::f);
        if (box == run::Box::Value) return caption_text;
        if (caption_text == f.caption) return box == run::Box::Numerator ? f.numerator_row : f.denominator_row;
        return u"DEGREES OF FREEDOM";
    }
    char16_t decimal_separator() const override { return separator; }
};
