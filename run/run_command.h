#pragma once
// The Run command's steps, over the few window services it needs, so that
// the same code serves the main window and the fuzzer.
#include <QChar>
#include <QString>

namespace run {

enum class Box { Value, Numerator, Denominator };

class RunView {
public:
    virtual ~RunView() = default;
    virtual QString caption() const = 0;           // of lbl_value: the chosen distribution
    virtual QString text(Box box) const = 0;       // a box's text
    virtual QString name(Box box) const = 0;       // the caption of the box's row
    virtual void swap_windows() = 0;               // main window off, result window on
    virtual void show_line(const QString& line) = 0;
    virtual void show_message(const QString& message) = 0;
};

void run_command(RunView& view);

}  // namespace run
