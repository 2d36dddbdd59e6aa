#pragma once
// The questions every window test asks, on each backend and from outside the
// program: the distribution, the texts typed into its boxes, and the P-value
// line or the message that must follow, and for some the exact values
// beside it (from 50-digit references, each to four significant digits) and
// the critical values at the level the box starts with, 0.05. Both are
// written with a point; each test puts the user's separator in its place.
// One table, read by the Qt window tests, the Win32 window tests, the tests
// that drive Varendo.exe and the page from outside.
#include <optional>
#include <string>
#include <vector>

#include "run/distribution.h"

namespace expected {


struct Row {
    run::DistributionId distribution;
    std::u16string value;
    std::optional<std::u16string> dfnum, dfden;  // none: the box keeps its design-time text
    std::u16string line;     // the P-value line, or
    std::u16string message;  // the message box's text (then no line)
    bool driven = false;     // also asked from another process (slow: real key strokes)
    std::u16string exact{};     // the strip's exact values, where the row gives them
    std::u16string critical{};  // the strip's critical values at 0.05, where the row gives them
};

// A text of the table as the user's locale shows it.
inline std::u16string localised(std::u16string text, char16_t separator)
{
    for (char16_t& c : text)
        if (c == u'.') c = separator;
    return text;
}

// The selection button's caption, as a user finds it.
inline std::u16string button_caption(run::DistributionId d) { return run::describe(d).button; }

inline const std::vector<Row>& rows()
{
    using enum run::DistributionId;
    constexpr auto chi = chi_square;
    constexpr auto gauss = normal;
    constexpr bool driven = true;
    const std::optional<std::u16string> untouched;
    const std::u16string positive_df = u"DEGREES OF FREEDOM must be greater than 0.";
    const std::u16string positive_num = u"D.F.(NUMERATOR) must be greater than 0.";
    const std::u16string positive_den = u"D.F.(DENOMINATOR) must be greater than 0.";
    const std::u16string f_negative = u"F VALUE must not be negative.";
    const std::u16string chi_negative = u"CHI-SQUARED VALUE must not be negative.";
    const auto too_large = [](const char16_t* box) {
        return std::u16string(box) + u" is too large: the largest accepted value is 1000000000.";
    };
    const auto fault = [](const char16_t* words) {
        return u"The calculation cannot be done with these numbers: it met " + std::u16string(words) + u".";
    };
    static const std::vector<Row> table = {
        // chi-square
        {chi, u"3.84", u"1", untouched, u"  P = 0.0500", u"", false, u"upper tail  0.05004", u"upper tail 3.84146"},
        {chi, u"3,84", u"1", untouched, u"  P = 0.0500", u"", driven},
        {chi, u"5.99", u"2", untouched, u"  P = 0.0500", u""},
        {chi, u"11.07", u"5", untouched, u"  P = 0.0500", u""},
        {chi, u"18.307", u"10", untouched, u"  P = 0.0500", u""},
        {chi, u"0", u"2", untouched, u"  P = 1.0000", u""},
        {chi, u"3.84", u" 2 ", untouched, u"  P = 0.1466", u""},
        {chi, u"3.84", u"2,5", untouched, u"  P = 0.1466", u""},
        {chi, u"1", u"2.5", untouched, u"  P = 0.7162", u""},  // fractional degrees (Satterthwaite)
        {chi, u"", u"", untouched, u"", positive_df},
        {chi, u"2", u"", untouched, u"", positive_df},
        {chi, u"3.84", untouched, untouched, u"", positive_df},
        {chi, u"-1", u"2", untouched, u"", chi_negative},
        {chi, u"-1", u"1", untouched, u"", chi_negative},
        {chi, u"0", u"1", untouched, u"  P = 1.0000", u""},
        {chi, u"0", u"0.3", untouched, u"  P = 1.0000", u""},
        {chi, u"287.882", u"250", untouched, u"  P = 0.0500", u""},  // x^k beyond a double
        {chi, u"295.689", u"250", untouched, u"  P = 0.0250", u""},
        {chi, u"5", u"301", untouched, u"  P = 1.0000", u""},
        {chi, u"340", u"300", untouched, u"  P = 0.0556", u""},
        {chi, u"1416", u"300", untouched, u"  P = 0.0000", u""},
        {chi, u"30", u"1", untouched, u"  P = 0.0000", u"", false, u"upper tail  4.320e-08"},
        {chi, u"1000", u"10", untouched, u"  P = 0.0000", u"", false, u"upper tail  1.870e-208", u"upper tail 18.3070"},
        {chi, u"5000", u"1", untouched, u"  P = 0.0000", u"", false, u"upper tail  2.071e-1088", u"upper tail 3.84146"},
        // e-notation in either box, as other programs print a statistic
        {chi, u"1.2e+03", u"1E3", untouched, u"  P = 0.0000", u"", false, u"upper tail  1.226e-05"},
        {chi, u"3.84", u"1e", untouched, u"  P = 0.0500", u""},  // no exponent digit: reads 1
        {chi, u"1416", u"40", untouched, u"  P = 0.0000", u""},
        {chi, u"1485", u"21", untouched, u"  P = 0.0000", u""},
        {chi, u"1500", u"1500", untouched, u"  P = 0.4951", u""},
        {chi, u"1002327.3", u"1000000", untouched, u"  P = 0.0500", u""},
        {chi, u"3.84", u"1000000001", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        // normal
        {gauss, u"1.96", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u"", false,
         u"0 to |z|    0.4750\n-|z| to |z| 0.9500\none tail    0.02500\nboth tails  0.05000",
         u"one tail 1.64485  both tails 1.95996"},
        {gauss, u"196E-2", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u""},
        {gauss, u"5.5", untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u"", false,
         u"0 to |z|    0.5000\n-|z| to |z| 1.000\none tail    1.899e-08\nboth tails  3.798e-08"},
        {gauss, u"1,96", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u"", driven},
        {gauss, u"-1.0", untouched, untouched, u"  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", u""},
        {gauss, u"1", untouched, untouched, u"  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", u""},
        {gauss, u"-3", untouched, untouched, u"  P = 0.4987   P = 0.9973   P = 0.0013   P = 0.0027", u""},
        {gauss, u"2.575", untouched, untouched, u"  P = 0.4950   P = 0.9900   P = 0.0050   P = 0.0100", u""},
        {gauss, u"0", untouched, untouched, u"  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", u""},
        {gauss, u"", untouched, untouched, u"  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", u""},
        {gauss, u"40", untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u"", false,
         u"0 to |z|    0.5000\n-|z| to |z| 1.000\none tail    3.656e-350\nboth tails  7.312e-350"},
        {gauss, u"2" + std::u16string(160, u'0'), untouched, untouched, u"", fault(u"a number too large to hold (overflow)")},
        {gauss, u"1" + std::u16string(400, u'0'), untouched, untouched, u"", fault(u"a number too large to hold (overflow)")},
        // t
        {t, u"2", u"10", untouched, u"   P = 0.0367       P = 0.0734", u"", false, u"one tail    0.03669\nboth tails  0.07339",
         u"one tail 1.81246  both tails 2.22814"},
        {t, u"8", u"40", untouched, u"   P = 0.0000       P = 0.0000", u"", false, u"one tail    3.953e-10\nboth tails  7.905e-10",
         u"one tail 1.68385  both tails 2.02108"},
        {t, u"1e6", u"3", untouched, u"   P = 0.0000       P = 0.0000", u"", driven, u"one tail    1.103e-18\nboth tails  2.205e-18",
         u"one tail 2.35336  both tails 3.18245"},
        {t, u"2", u"1e10", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        {t, u"-1000", u"100000", untouched, u"   P = 1.0000       P = 0.0000", u"", false,
         u"one tail    1.000\nboth tails  6.143e-52073"},
        {t, u"2.228", u"10", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"1", u"1", untouched, u"   P = 0.2500       P = 0.5000", u""},
        {t, u"12.706", u"1", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"2", u"2", untouched, u"   P = 0.0918       P = 0.1835", u""},
        {t, u"3.182", u"3", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"2", u"4", untouched, u"   P = 0.0581       P = 0.1161", u""},
        {t, u"2", u"5", untouched, u"   P = 0.0510       P = 0.1019", u""},
        {t, u"2.5", u"7", untouched, u"   P = 0.0205       P = 0.0410", u""},
        {t, u"1.96", u"1000", untouched, u"   P = 0.0251       P = 0.0503", u""},
        {t, u"", u"7", untouched, u"   P = 0.5000       P = 1.0000", u""},
        {t, u"-2", u"10", untouched, u"   P = 0.9633       P = 0.0734", u""},
        {t, u"2", u"", untouched, u"", positive_df},
        {t, u"2", u"0", untouched, u"", positive_df, driven},
        {t, u"2", u"-4", untouched, u"", positive_df},
        {t, u"2.1", u"17.34", untouched, u"   P = 0.0253       P = 0.0507", u"", false, u"one tail    0.02533\nboth tails  0.05065",
         u"one tail 1.73765  both tails 2.10667"},  // Welch
        {t, u"2", u"17.34", untouched, u"   P = 0.0307       P = 0.0614", u"", driven},
        {t, u"1.96", u"100001", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"492", u"994900", untouched, u"   P = 0.0000       P = 0.0000", u""},
        {t, u"-1.645", u"1000000000", untouched, u"   P = 0.9500       P = 0.1000", u""},
        {t, u"2", u"1000000001", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        // F
        {f, u"3", u"4", u"20", u"  P = 0.0432        P = 0.0864", u"", driven, u"upper tail  0.04320\ndoubled     0.08640",
         u"upper tail 2.86608  doubled 3.51470"},
        {f, u"3e0", u"4e+0", u"2E1", u"  P = 0.0432        P = 0.0864", u""},
        {f, u"100", u"5", u"50", u"  P = 0.0000        P = 0.0000", u"", false, u"upper tail  8.140e-25\ndoubled     1.628e-24",
         u"upper tail 2.40041  doubled 2.83265"},
        {f, u"2.87", u"4", u"20", u"  P = 0.0498        P = 0.0996", u""},
        {f, u"2", u"2", u"2", u"  P = 0.3333        P = 0.6667", u""},
        {f, u"1", u"5", u"5", u"  P = 0.5000        P = 1.0000", u""},
        {f, u"5.05", u"5", u"5", u"  P = 0.0500        P = 0.1000", u""},
        {f, u"4.96", u"1", u"10", u"  P = 0.0501        P = 0.1002", u""},
        {f, u"161.4", u"1", u"1", u"  P = 0.0500        P = 0.1000", u""},
        {f, u"3", u"3", u"10", u"  P = 0.0817        P = 0.1635", u""},
        {f, u"1", u"1", u"100", u"  P = 0.3197        P = 0.6394", u""},
        {f, u"0.5", u"4", u"20", u"  P = 0.7360        P = 0.5279", u""},
        {f, u"", u"4", u"20", u"  P = 1.0000        P = 0.0000", u""},
        {f, u"-1", u"4", u"20", u"", f_negative},
        {f, u"3", u"", u"20", u"", positive_num},
        {f, u"3", u"4", u"", u"", positive_den},
        {f, u"", u"", u"", u"", positive_num},
        {f, u"3", u"4", u"200000", u"  P = 0.0174        P = 0.0347", u""},
        {f, u"2.5", u"3.5", u"17.34", u"  P = 0.0865        P = 0.1731", u""},
        {f, u"1.00005", u"1000000000", u"1000000000", u"  P = 0.2146        P = 0.4292", u""},
        {f, u"3", u"4", u"1000000001", u"", too_large(u"D.F.(DENOMINATOR)")},
        {f, u"0.00000000000000000001", u"4", u"20", u"  P = 1.0000        P = 0.0000", u""},
    };
    return table;
}

}  // namespace expected
