#include "forms/frm_power.h"

#include <algorithm>

#include "charts/power_pictures.h"
#include "forms/comma_filter.h"
#include "forms/frm_initial.h"
#include "forms/program.h"
#include "run/wrap.h"

namespace forms {

// The layout in twips (15 to a pixel at 96 dpi): the designs' buttons along
// the top, five to a row; under them a row a box, the questions beside the
// first seven and the answer beside those; the notes and the result typed
// under the rows; the two pictures on the right. A line of 9-point bold
// takes 255 twips; words are wrapped for 110 a character, the widest it
// grows to at any zoom or density.
namespace layout {
constexpr int width = 18720, height = 9600;
constexpr int character = 110, line = 255;
constexpr int design_top = 450, design_left = 240, design_width = 1740, design_height = 450;
constexpr int design_step = 1830, design_row_step = 540, designs_a_row = 5;
constexpr int row_step = 450, observed_gap = 120;
constexpr int label_left = 240, label_width = 3240, box_left = 3600, box_width = 1500, box_height = 375;
constexpr int button_left = 5340, button_width = 1740;
constexpr platform::Rect design{240, 120, 10200, line};
constexpr int answer_left = 7200, answer_width = 3840;
constexpr platform::Rect distributions{11160, 120, 7320, 4590};
constexpr platform::Rect power_curve{11160, 4830, 7320, 4590};
}  // namespace layout

namespace {

// The top of the rows: under the designs' buttons, as many rows of them as
// the table needs.
int rows_top()
{
    const int button_rows = int((power::designs().size() + layout::designs_a_row - 1) / layout::designs_a_row);
    return layout::design_top + button_rows * layout::design_row_step + 90;
}

// The most rows a design has, and the most of them before its result's.
size_t most_rows()
{
    size_t most = 0;
    for (const power::Design* d : power::designs()) most = std::max(most, d->boxes.size());
    return most;
}

bool of_result(const power::Box& b) { return b.key.rfind("observed", 0) == 0; }

// The k-th row of a design: its result's rows a little apart from the rest.
int row_y(const power::Design& d, size_t k)
{
    const bool observed = k < d.boxes.size() && of_result(d.boxes[k]);
    return rows_top() + int(k) * layout::row_step + (observed ? layout::observed_gap : 0);
}

// What a box starts with, in the user's separator.
platform::Text initial_text(const power::Box& box, char16_t separator)
{
    platform::Text t = box.initial;
    std::replace(t.begin(), t.end(), u'.', separator);
    return t;
}

}  // namespace

std::vector<std::unique_ptr<platform::CommandButton>> frm_power::design_buttons(platform::Form& form)
{
    std::vector<std::unique_ptr<platform::CommandButton>> buttons;
    for (const power::Design* d : power::designs())
        buttons.push_back(std::make_unique<platform::CommandButton>(form, d->button));
    return buttons;
}

std::vector<std::unique_ptr<frm_power::Row>> frm_power::make_rows(platform::Form& form)
{
    std::vector<std::unique_ptr<Row>> made;
    for (size_t k = 0; k < most_rows(); ++k) made.push_back(std::make_unique<Row>(form));
    return made;
}

frm_power::frm_power(Program& program) : platform::Form(layout::width, layout::height), program_(program)
{
    create_controls();
    wire_events();
    cmd_design_Click(*power::designs()[1]);
}

void frm_power::create_controls()
{
    const platform::Font button_font = platform::courier(8.25, true);
    const platform::Font box_font = platform::courier(9, false);
    const platform::Font label_font = platform::courier(8.25, false);

    lbl_design.place(layout::design);
    lbl_design.set_font(platform::courier(8.25, true));
    for (size_t k = 0; k < cmd_designs.size(); ++k) {
        auto& b = cmd_designs[k];
        const int column = int(k % layout::designs_a_row), row = int(k / layout::designs_a_row);
        b->place({layout::design_left + column * layout::design_step, layout::design_top + row * layout::design_row_step,
                  layout::design_width, layout::design_height});
        b->set_font(button_font);
    }

    for (auto& row : rows) {
        row->lbl.set_font(label_font);
        row->lbl.set_align(platform::Align::right);
        row->lbl.set_buddy(row->txt);
        row->txt.set_font(box_font);
    }

    platform::CommandButton* buttons[] = {&cmd_find_power, &cmd_find_n, &cmd_find_effect, &cmd_find_alpha,
                                          &cmd_copy,       &cmd_back,   &cmd_exit};
    for (int k = 0; k < 7; ++k) {
        buttons[k]->place({layout::button_left, rows_top() + k * layout::row_step, layout::button_width,
                           layout::box_height});
        buttons[k]->set_font(button_font);
    }

    lbl_answer.place({layout::answer_left, rows_top(), layout::answer_width, 12 * layout::line});
    lbl_answer.set_font(platform::courier(9, true));
    // The notes and the result typed, under the most rows a design has.
    const int result_top = rows_top() + int(most_rows()) * layout::row_step + layout::observed_gap + 90;
    lbl_result.place({layout::label_left, result_top, layout::answer_left + layout::answer_width - layout::label_left,
                      layout::height - result_top - 120});
    lbl_result.set_font(platform::courier(9, true));
    pic_distributions.place(layout::distributions);
    pic_power_curve.place(layout::power_curve);

    // The pictures take no keys: they are read, not used.
    std::vector<platform::Control*> order;
    for (auto& b : cmd_designs) order.push_back(b.get());
    for (auto& row : rows) order.push_back(&row->txt);
    for (platform::CommandButton* b : buttons) order.push_back(b);
    set_tab_order(order);
}

void frm_power::wire_events()
{
    const auto& all = power::designs();
    for (size_t k = 0; k < all.size(); ++k)
        cmd_designs[k]->on_click = [this, d = all[k]] { cmd_design_Click(*d); };
    const std::pair<platform::CommandButton*, power::Find> questions[] = {
        {&cmd_find_power, power::Find::power}, {&cmd_find_n, power::Find::n},
        {&cmd_find_effect, power::Find::effect}, {&cmd_find_alpha, power::Find::alpha}};
    for (const auto& [button, question] : questions)
        button->on_click = [this, question = question] { cmd_find_Click(question); };
    // Where the user's separator is the point, a typed comma becomes one once
    // the box holds a character, as in every box of the main window; where it
    // is a comma, the comma stays as typed. The boxes read either.
    for (auto& row : rows) {
        platform::TextBox* b = &row->txt;
        b->on_key_press = [b](char16_t& code) {
            if (platform::decimal_separator() == u'.') comma_filter(*b, code);
        };
    }
    cmd_copy.on_click = [this] { cmd_copy_Click(); };
    cmd_back.on_click = [this] { cmd_back_Click(); };
    cmd_exit.on_click = [this] { cmd_exit_Click(); };
    on_copy = [this] { cmd_copy_Click(); };
    on_close = [this] { cmd_back_Click(); };
}

const power::Design& frm_power::design() const
{
    for (const power::Design* d : power::designs())
        if (lbl_design.caption() == d->caption) return *d;
    return *power::designs()[1];
}

platform::TextBox* frm_power::box(const std::string& key) const
{
    const power::Design& d = design();
    for (size_t k = 0; k < d.boxes.size(); ++k)
        if (d.boxes[k].key == key) return &rows[k]->txt;
    return nullptr;
}

void frm_power::keep_typed()
{
    const power::Design& d = design();
    power::Typed& typed = typed_[&d];
    for (size_t k = 0; k < d.boxes.size(); ++k) typed[d.boxes[k].key] = rows[k]->txt.text();
}

// The design's caption is the record of the choice, and its button shows
// itself chosen; the rows show its own boxes as last typed there, or as they
// start. The last answer no longer holds.
void frm_power::cmd_design_Click(const power::Design& chosen)
{
    if (!lbl_design.caption().empty()) keep_typed();
    lbl_design.set_caption(chosen.caption);
    const auto& all = power::designs();
    for (size_t k = 0; k < all.size(); ++k) cmd_designs[k]->set_pressed(all[k] == &chosen);
    const auto kept = typed_.find(&chosen);
    const char16_t separator = platform::decimal_separator();
    // A row the design has not keeps no words of another's.
    for (size_t k = 0; k < rows.size(); ++k) {
        Row& row = *rows[k];
        const bool shown = k < chosen.boxes.size();
        row.lbl.set_visible(shown);
        row.txt.set_visible(shown);
        row.lbl.set_caption(shown ? chosen.boxes[k].caption : platform::Text());
        if (!shown) {
            row.txt.set_text({});
            continue;
        }
        const power::Box& b = chosen.boxes[k];
        row.lbl.place({layout::label_left, row_y(chosen, k) + 60, layout::label_width, layout::line});
        row.txt.place({layout::box_left, row_y(chosen, k), layout::box_width, layout::box_height});
        row.txt.set_text(kept != typed_.end() ? kept->second.at(b.key) : initial_text(b, separator));
    }
    show_answer({});
    rows[0]->txt.set_focus();
}

void frm_power::cmd_find_Click(power::Find question)
{
    keep_typed();
    const power::Design& d = design();
    show_answer(power::answer(d, typed_[&d], question, platform::decimal_separator()));
}

void frm_power::show_answer(power::PowerAnswer answer)
{
    answer_ = std::move(answer);
    const auto columns = [](int width) { return size_t(width / layout::character); };
    lbl_answer.set_caption(answer_.design ? run::wrapped(answer_.lines, columns(layout::answer_width)) : platform::Text());
    lbl_result.set_caption(run::wrapped(answer_.result_lines,
                                        columns(layout::answer_left + layout::answer_width - layout::label_left)));
    const char16_t separator = platform::decimal_separator();
    pic_distributions.set_drawing(charts::distributions_picture(answer_, separator, layout::distributions.width / 15.0,
                                                                layout::distributions.height / 15.0));
    pic_power_curve.set_drawing(charts::power_curve_picture(answer_, separator, layout::power_curve.width / 15.0,
                                                            layout::power_curve.height / 15.0));
}

void frm_power::open()
{
    show_answer({});
    show();
}

// A paragraph for a methods section; nothing while there is none.
void frm_power::cmd_copy_Click()
{
    if (answer_.paragraph.empty()) return;
    platform::set_clipboard_text(*this, answer_.paragraph + u"\n");
}

// Back to the main window as it was; this one keeps what it holds.
void frm_power::cmd_back_Click()
{
    frm_initial& initial = program_.initial();
    initial.show();
    hide();
}

void frm_power::cmd_exit_Click() { program_.end(); }

}  // namespace forms
