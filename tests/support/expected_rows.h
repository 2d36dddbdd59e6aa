#pragma once
// The questions every window test asks, on each backend and from outside the
// program: the distribution, the texts typed into its boxes, and the P-value
// line or the message that must follow, and for some the exact values
// beside it (from 50-digit references, each to four significant digits),
// the critical values at the level the box starts with, 0.05, what the
// window says of a box not read in full, and the question as read that the
// plot's words begin with. All are written with a point; each test puts the
// user's separator in its place.
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
    std::u16string note{};      // what the window says was read, where a box was not read in full
    std::u16string asked{};     // the question as read, where the row gives it
};

// A text of the table as the user's locale shows it: a point between digits
// is the decimal separator, one that ends a sentence stays; where the
// separator is a comma, two degrees of freedom are parted by "; ", not ", ".
inline std::u16string localised(std::u16string text, char16_t separator)
{
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    for (size_t k = 1; k + 1 < text.size(); ++k) {
        if (text[k] == u'.' && digit(text[k - 1]) && digit(text[k + 1])) text[k] = separator;
        if (separator == u',' && text[k] == u',' && text[k + 1] == u' ' && k + 2 < text.size() && digit(text[k - 1]) &&
            digit(text[k + 2]))
            text[k] = u';';
    }
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
    const auto beyond_double = [](const char16_t* box) {
        return std::u16string(box) + u" is too large: the accepted values lie between -1.79769e+308 and 1.79769e+308.";
    };
    static const std::vector<Row> table = {
        // chi-square
        {chi, u"3.84", u"1", untouched, u"  P = 0.0500", u"", false, u"lower tail  0.9500\nupper tail  0.05004",
         u"lower tail 0.00393214\nupper tail 3.84146", u"", u"\u03C7\u00B2(1) = 3.84"},
        {chi, u"3,84", u"1", untouched, u"  P = 0.0500", u"", driven},
        {chi, u"5.99", u"2", untouched, u"  P = 0.0500", u""},
        {chi, u"11.07", u"5", untouched, u"  P = 0.0500", u""},
        {chi, u"18.307", u"10", untouched, u"  P = 0.0500", u""},
        {chi, u"0", u"2", untouched, u"  P = 1.0000", u""},
        {chi, u"3.84", u" 2 ", untouched, u"  P = 0.1466", u""},
        {chi, u"3.84", u"2,5", untouched, u"  P = 0.1466", u"", driven, u"", u"",
         u"In DEGREES OF FREEDOM, 2,5 was read as 2: a degree of freedom takes a point.", u"\u03C7\u00B2(2) = 3.84"},
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
        {chi, u"30", u"1", untouched, u"  P = 0.0000", u"", false, u"lower tail  1.000\nupper tail  4.320e-08"},
        {chi, u"1000", u"10", untouched, u"  P = 0.0000", u"", false, u"lower tail  1.000\nupper tail  1.870e-208",
         u"lower tail 3.94030\nupper tail 18.3070"},
        {chi, u"5000", u"1", untouched, u"  P = 0.0000", u"", false, u"lower tail  1.000\nupper tail  2.071e-1088",
         u"lower tail 0.00393214\nupper tail 3.84146"},
        // e-notation in either box, as other programs print a statistic
        {chi, u"1.2e+03", u"1E3", untouched, u"  P = 0.0000", u"", false, u"lower tail  1.000\nupper tail  1.226e-05",
         u"", u"", u"\u03C7\u00B2(1000) = 1200"},
        {chi, u"3.84", u"1e", untouched, u"  P = 0.0500", u"", false, u"", u"",
         u"In DEGREES OF FREEDOM, 1e was read as 1: \"e\" was ignored."},  // no exponent digit
        {chi, u"1416", u"40", untouched, u"  P = 0.0000", u""},
        {chi, u"1485", u"21", untouched, u"  P = 0.0000", u""},
        {chi, u"1500", u"1500", untouched, u"  P = 0.4951", u""},
        {chi, u"1002327.3", u"1000000", untouched, u"  P = 0.0500", u""},
        {chi, u"3.84", u"1000000001", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        // normal
        {gauss, u"1.96", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u"", false,
         u"0 to |z|    0.4750\n-|z| to |z| 0.9500\nlower tail  0.9750\nupper tail  0.02500\nboth tails  0.05000",
         u"lower tail -1.64485\nupper tail 1.64485\nboth tails \u00B11.95996", u"", u"z = 1.96"},
        {gauss, u"196E-2", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u""},
        {gauss, u"5.5", untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u"", false,
         u"0 to |z|    0.5000\n-|z| to |z| 1.000\nlower tail  1.000\nupper tail  1.899e-08\nboth tails  3.798e-08"},
        {gauss, u"1,96", untouched, untouched, u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", u"", driven},
        {gauss, u"-1.0", untouched, untouched, u"  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", u""},
        {gauss, u"1", untouched, untouched, u"  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", u""},
        {gauss, u"-3", untouched, untouched, u"  P = 0.4987   P = 0.9973   P = 0.0013   P = 0.0027", u""},
        {gauss, u"2.575", untouched, untouched, u"  P = 0.4950   P = 0.9900   P = 0.0050   P = 0.0100", u""},
        {gauss, u"0", untouched, untouched, u"  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", u""},
        {gauss, u"", untouched, untouched, u"  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", u"", false, u"", u"",
         u"z VALUE was empty: read as 0.", u"z = 0"},
        {gauss, u"40", untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u"", false,
         u"0 to |z|    0.5000\n-|z| to |z| 1.000\nlower tail  1.000\nupper tail  3.656e-350\nboth tails  7.312e-350"},
        // Beyond 1.3e154 the four-decimal routine's z^2 overflows; its areas are at their limits.
        {gauss, u"2" + std::u16string(160, u'0'), untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u""},
        {gauss, u"1.8e154", untouched, untouched, u"  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", u"", false,
         u"0 to |z|    0.5000\n-|z| to |z| 1.000\nlower tail  1.000\nupper tail  < 1e-1000000000\nboth tails  < 1e-1000000000",
         u"", u"", u"z = 1.8e+154: both tails p < 1e-1000000000"},
        {gauss, u"1" + std::u16string(400, u'0'), untouched, untouched, u"", beyond_double(u"z VALUE")},
        {gauss, u"-1e400", untouched, untouched, u"", beyond_double(u"z VALUE")},
        // t
        {t, u"2", u"10", untouched, u"   P = 0.0367       P = 0.0734", u"", false,
         u"lower tail  0.9633\nupper tail  0.03669\nboth tails  0.07339",
         u"lower tail -1.81246\nupper tail 1.81246\nboth tails \u00B12.22814", u"", u"t(10) = 2: both tails p = 0.07339"},
        {t, u"8", u"40", untouched, u"   P = 0.0000       P = 0.0000", u"", false,
         u"lower tail  1.000\nupper tail  3.953e-10\nboth tails  7.905e-10",
         u"lower tail -1.68385\nupper tail 1.68385\nboth tails \u00B12.02108"},
        {t, u"1e6", u"3", untouched, u"   P = 0.0000       P = 0.0000", u"", driven,
         u"lower tail  1.000\nupper tail  1.103e-18\nboth tails  2.205e-18",
         u"lower tail -2.35336\nupper tail 2.35336\nboth tails \u00B13.18245", u"", u"t(3) = 1000000"},
        {t, u"2", u"1e10", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        {t, u"-1000", u"100000", untouched, u"   P = 1.0000       P = 0.0000", u"", false,
         u"lower tail  3.071e-52073\nupper tail  1.000\nboth tails  6.143e-52073"},
        {t, u"2.228", u"10", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"1", u"1", untouched, u"   P = 0.2500       P = 0.5000", u""},
        {t, u"12.706", u"1", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"2", u"2", untouched, u"   P = 0.0918       P = 0.1835", u""},
        {t, u"3.182", u"3", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"2", u"4", untouched, u"   P = 0.0581       P = 0.1161", u""},
        {t, u"2", u"5", untouched, u"   P = 0.0510       P = 0.1019", u""},
        {t, u"2.5", u"7", untouched, u"   P = 0.0205       P = 0.0410", u""},
        {t, u"1.96", u"1000", untouched, u"   P = 0.0251       P = 0.0503", u""},
        {t, u"", u"7", untouched, u"   P = 0.5000       P = 1.0000", u"", false, u"", u"", u"t VALUE was empty: read as 0."},
        {t, u"-2", u"10", untouched, u"   P = 0.9633       P = 0.0734", u""},
        {t, u"2", u"", untouched, u"", positive_df},
        {t, u"2", u"0", untouched, u"", positive_df, driven},
        {t, u"2", u"-4", untouched, u"", positive_df},
        {t, u"2.1", u"17.34", untouched, u"   P = 0.0253       P = 0.0507", u"", false,
         u"lower tail  0.9747\nupper tail  0.02533\nboth tails  0.05065",
         u"lower tail -1.73765\nupper tail 1.73765\nboth tails \u00B12.10667", u"", u"t(17.34) = 2.1"},  // Welch
        // What a box held that was not read in full is said beside the answer.
        {t, u"abc", u"17", untouched, u"   P = 0.5000       P = 1.0000", u"", false, u"", u"",
         u"In t VALUE, abc was read as 0: it holds no number.", u"t(17) = 0: both tails p = 1.000"},
        {t, u"2.1", u"17abc", untouched, u"   P = 0.0255       P = 0.0510", u"", false, u"", u"",
         u"In DEGREES OF FREEDOM, 17abc was read as 17: \"abc\" was ignored.", u"t(17) = 2.1: both tails p = 0.05096"},
        {t, u"2", u"1e400", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        {t, u"2", u"17.34", untouched, u"   P = 0.0307       P = 0.0614", u"", driven},
        {t, u"1.96", u"100001", untouched, u"   P = 0.0250       P = 0.0500", u""},
        {t, u"492", u"994900", untouched, u"   P = 0.0000       P = 0.0000", u""},
        {t, u"-1.645", u"1000000000", untouched, u"   P = 0.9500       P = 0.1000", u""},
        {t, u"2", u"1000000001", untouched, u"", too_large(u"DEGREES OF FREEDOM")},
        // F
        {f, u"3", u"4", u"20", u"  P = 0.0432        P = 0.0864", u"", driven,
         u"lower tail  0.9568\nupper tail  0.04320\ndoubled     0.08640",
         u"lower tail 0.172338\nupper tail 2.86608\ndoubled 3.51470", u"", u"F(4, 20) = 3: upper tail p = 0.04320"},
        {f, u"3e0", u"4e+0", u"2E1", u"  P = 0.0432        P = 0.0864", u""},
        {f, u"100", u"5", u"50", u"  P = 0.0000        P = 0.0000", u"", false,
         u"lower tail  1.000\nupper tail  8.140e-25\ndoubled     1.628e-24",
         u"lower tail 0.225002\nupper tail 2.40041\ndoubled 2.83265"},
        {f, u"2.87", u"4", u"20", u"  P = 0.0498        P = 0.0996", u""},
        {f, u"2", u"2", u"2", u"  P = 0.3333        P = 0.6667", u""},
        {f, u"1", u"5", u"5", u"  P = 0.5000        P = 1.0000", u""},
        {f, u"5.05", u"5", u"5", u"  P = 0.0500        P = 0.1000", u""},
        {f, u"4.96", u"1", u"10", u"  P = 0.0501        P = 0.1002", u""},
        {f, u"161.4", u"1", u"1", u"  P = 0.0500        P = 0.1000", u""},
        {f, u"3", u"3", u"10", u"  P = 0.0817        P = 0.1635", u""},
        {f, u"1", u"1", u"100", u"  P = 0.3197        P = 0.6394", u""},
        {f, u"0.5", u"4", u"20", u"  P = 0.7360        P = 0.5279", u""},
        {f, u"", u"4", u"20", u"  P = 1.0000        P = 0.0000", u"", false, u"", u"", u"F VALUE was empty: read as 0."},
        {f, u"-1", u"4", u"20", u"", f_negative},
        {f, u"3", u"", u"20", u"", positive_num},
        {f, u"3", u"4", u"", u"", positive_den},
        {f, u"", u"", u"", u"", positive_num},
        {f, u"3", u"4", u"200000", u"  P = 0.0174        P = 0.0347", u""},
        {f, u"2.5", u"3.5", u"17.34", u"  P = 0.0865        P = 0.1731", u""},
        {f, u"1.00005", u"1000000000", u"1000000000", u"  P = 0.2146        P = 0.4292", u""},
        {f, u"3", u"4", u"1000000001", u"", too_large(u"D.F.(DENOMINATOR)")},
        {f, u"3", u"4", u"1e400", u"", too_large(u"D.F.(DENOMINATOR)")},
        {f, u"1e400", u"4", u"20", u"", u"F VALUE is too large: the largest accepted value is 1.79769e+308."},
        {chi, u"-1e400", u"1", untouched, u"", chi_negative},
        {f, u"0.00000000000000000001", u"4", u"20", u"  P = 1.0000        P = 0.0000", u""},
    };
    return table;
}

}  // namespace expected
