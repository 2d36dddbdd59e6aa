#pragma once
// A handler that throws once, as a fault met by chance; the next call works
// again, so that the test can go on to show the program alive.
#include <stdexcept>
#include <string>

struct FaultOnce {
    int armed = 0;
    void operator()()
    {
        if (armed-- > 0) throw std::runtime_error("a test fault");
    }
    // What the user then reads.
    static inline const std::u16string message = u"Something went wrong: a test fault";
};
