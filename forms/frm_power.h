#pragma once
// The power window: choose a design, fill its boxes, ask one of four
// questions (power, N, effect, alpha) and read the answer, with the effect a
// typed result shows and two pictures of the answer. Each design keeps its
// own boxes: what was typed in one never shows in another.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "power/answer.h"

namespace forms {

class Program;

class frm_power : public platform::Form {
public:
    explicit frm_power(Program& program);

    // A row: a box and the label that names it.
    struct Row {
        explicit Row(platform::Form& form) : lbl(form), txt(form) {}
        platform::Label lbl;
        platform::TextBox txt;
    };

    platform::Label lbl_design{*this};
    // One a design, in the table's order; then as many rows as a design has
    // boxes at most, the chosen design's in its order. Made here, in the
    // order a screen reader reads them.
    std::vector<std::unique_ptr<platform::CommandButton>> cmd_designs = design_buttons(*this);
    std::vector<std::unique_ptr<Row>> rows = make_rows(*this);

    platform::CommandButton cmd_find_power{*this, u"Find power"};
    platform::CommandButton cmd_find_n{*this, u"Find N"};
    platform::CommandButton cmd_find_effect{*this, u"Find effect"};
    platform::CommandButton cmd_find_alpha{*this, u"Find \u03B1"};
    platform::CommandButton cmd_copy{*this, u"Copy"};
    platform::CommandButton cmd_back{*this, u"Back"};
    platform::CommandButton cmd_exit{*this, u"Exit"};

    platform::Label lbl_answer{*this};
    platform::Label lbl_result{*this};
    platform::DrawingBox pic_distributions{*this};
    platform::DrawingBox pic_power_curve{*this};

    void cmd_design_Click(const power::Design& design);
    void cmd_find_Click(power::Find question);
    void cmd_copy_Click();
    void cmd_back_Click();
    void cmd_exit_Click();

    // Shown from the main window, without the words of an answer from before.
    void open();

    // The design chosen: the one whose caption the design label holds.
    const power::Design& design() const;
    // The box of the chosen design's key, nullptr where it has none.
    platform::TextBox* box(const std::string& key) const;
    const power::PowerAnswer& last_answer() const { return answer_; }

private:
    static std::vector<std::unique_ptr<platform::CommandButton>> design_buttons(platform::Form& form);
    static std::vector<std::unique_ptr<Row>> make_rows(platform::Form& form);
    void create_controls();
    void wire_events();
    void keep_typed();  // the rows' texts into the chosen design's own
    void show_answer(power::PowerAnswer answer);

    Program& program_;
    std::map<const power::Design*, power::Typed> typed_;  // what each design's boxes hold
    power::PowerAnswer answer_;  // the answer shown; not answered while none is
};

}  // namespace forms
