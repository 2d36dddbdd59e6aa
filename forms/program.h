#pragma once
// The program's windows, each a single instance created on first use and
// kept until the program ends.
#include <memory>

namespace forms {

class frm_initial;
class frm_result;
class frm_power;

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    frm_initial& initial();  // the start-up window; created and loaded on first use
    frm_result& result();    // created hidden on first use
    bool has_result() const { return result_ != nullptr; }
    frm_power& power();      // created on first use, by the main window's Power...
    bool has_power() const { return power_ != nullptr; }

    // Ends the program at once, from either window.
    void end();

private:
    std::unique_ptr<frm_initial> initial_;
    std::unique_ptr<frm_result> result_;
    std::unique_ptr<frm_power> power_;
};

}  // namespace forms
