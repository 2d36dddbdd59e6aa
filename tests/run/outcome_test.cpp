// What a run gives the windows, without any window: the exact texts, a
// paper's p, the outcome of each kind and the report for the clipboard.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/normal_tails.h"
#include "run/critical_text.h"
#include "run/exact_text.h"
#include "run/run_command.h"
#include "support/plain_view.h"

namespace {

using platform::Text;

TEST(ExactText, FourSignificantDigitsAsStatisticsProgramsPrintThem)
{
    struct Row { double value, log; char16_t separator; const char16_t* text; };
    const double none = -INFINITY;
    const Row rows[] = {
        {0.02546, std::log(0.02546), u'.', u"0.02546"},
        {0.5, std::log(0.5), u'.', u"0.5000"},
        {1, 0, u'.', u"1.000"},
        {0.99996, std::log(0.99996), u'.', u"1.000"},      // rounds up to the next decade
        {0.00099996, std::log(0.00099996), u'.', u"0.001000"},  // the same across 0.001
        {0.0009999, std::log(0.0009999), u'.', u"9.999e-04"},
        {2.867e-7, std::log(2.867e-7), u'.', u"2.867e-07"},
        {2.867e-7, std::log(2.867e-7), u',', u"2,867e-07"},
        {0.02546, std::log(0.02546), u',', u"0,02546"},
        {1.87e-208, std::log(1.87e-208), u'.', u"1.870e-208"},
        // Below the smallest double only the logarithm counts.
        {4.94e-322, -739.81426000435471, u'.', u"5.044e-322"},
        {0, -2504.484587838234494, u'.', u"2.071e-1088"},
        {0, -918.7314561046322279, u'.', u"1.000e-399"},
        {0, -119900.69824241241666, u',', u"6,143e-52073"},
        {0, -3e9, u'.', u"< 1e-1000000000"},
        {0, engine::normal_tails(1.9e154).one_tail.log, u'.', u"< 1e-1000000000"},  // beyond a double's logarithm
        {0, none, u'.', u"0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(platform::to_utf8(r.text));
        EXPECT_EQ(run::exact_text({r.value, r.log}, r.separator), r.text);
    }
}

TEST(ExactText, APaperPWithoutItsLeadingZero)
{
    struct Row { double p; char16_t separator; const char16_t* text; };
    const Row rows[] = {
        {0.05096, u'.', u"= .051"}, {0.0004, u'.', u"< .001"}, {0.00099, u'.', u"< .001"},
        {0.001, u'.', u"= .001"},   {0.9996, u'.', u"> .999"}, {0.05096, u',', u"= ,051"},
    };
    for (const Row& r : rows) EXPECT_EQ(run::apa_p(r.p, r.separator), r.text) << r.p;
}

Text caption(run::DistributionId id) { return run::describe(id).caption; }

TEST(RunOutcome, EachKindCarriesWhatItsWindowShows)
{
    using Kind = run::Outcome::Kind;
    struct Row { Text caption, value, dfnum, dfden; char16_t separator; Kind kind; const char16_t* report; };
    const Row rows[] = {
        {caption(run::DistributionId::t), u"2.1", u"17", u"", u'.', Kind::result,
         u"Varendo: Student t\nt VALUE: 2.1\nDEGREES OF FREEDOM: 17\nquestion: t(17) = 2.1\n"
         u"upper tail: P = 0.0255, exact 0.02548\nboth tails: P = 0.0510, exact 0.05096\nlower tail: exact 0.9745\n"
         u"t(17) = 2.10, p = .051\n"},
        {caption(run::DistributionId::chi_square), u"30", u"1", u"", u'.', Kind::result,
         u"Varendo: chi-square\nCHI-SQUARED VALUE: 30\nDEGREES OF FREEDOM: 1\nquestion: \u03C7\u00B2(1) = 30\n"
         u"upper tail: P = 0.0000, exact 4.320e-08\nlower tail: exact 1.000\n\u03C7\u00B2(1) = 30.00, p < .001\n"},
        // The boxes hold a point whatever was typed; the line keeps its point.
        {caption(run::DistributionId::normal), u"1.96", u"", u"", u',', Kind::result,
         u"Varendo: standard normal\nz VALUE: 1.96\nquestion: z = 1,96\n"
         u"0 to |z|: P = 0.4750, exact 0,4750\n-|z| to |z|: P = 0.9500, exact 0,9500\n"
         u"one tail: P = 0.0250, exact 0,02500\nboth tails: P = 0.0500, exact 0,05000\n"
         u"lower tail: exact 0,9750\nupper tail: exact 0,02500\nz = 1,96, p = ,050\n"},
        {caption(run::DistributionId::f), u"100", u"5", u"50", u'.', Kind::result,
         u"Varendo: F\nF VALUE: 100\nD.F.(NUMERATOR): 5\nD.F.(DENOMINATOR): 50\nquestion: F(5, 50) = 100\n"
         u"upper tail: P = 0.0000, exact 8.140e-25\ndoubled: P = 0.0000, exact 1.628e-24\nlower tail: exact 1.000\n"
         u"F(5, 50) = 100.00, p < .001\n"},
        // A box not read in full is said in the report too, the degrees' comma in the question's "; ".
        {caption(run::DistributionId::f), u"3", u"4,5", u" 20", u',', Kind::result,
         u"Varendo: F\nF VALUE: 3\nD.F.(NUMERATOR): 4,5\nD.F.(DENOMINATOR):  20\n"
         u"In D.F.(NUMERATOR), 4,5 was read as 4: a degree of freedom takes a point.\nquestion: F(4; 20) = 3\n"
         u"upper tail: P = 0.0432, exact 0,04320\ndoubled: P = 0.0864, exact 0,08640\nlower tail: exact 0,9568\n"
         u"F(4, 20) = 3,00, p = ,043\n"},
        {caption(run::DistributionId::t), u"2", u"0", u"", u'.', Kind::message, u""},
        {caption(run::DistributionId::chi_square), u"1", u"1" + Text(400, u'0'), u"", u'.', Kind::message, u""},
        {u"CHI-SQUARED VALUE", u"3.84", u"1", u"", u'.', Kind::nothing, u""},
    };
    for (const Row& r : rows) {
        PlainView view;
        view.caption_text = r.caption;
        view.texts[0] = r.value, view.texts[1] = r.dfnum, view.texts[2] = r.dfden;
        view.separator = r.separator;
        SCOPED_TRACE(platform::to_utf8(r.caption + u" " + r.value + u" " + r.dfnum));

        const run::Outcome outcome = run::run_command(view);

        EXPECT_EQ(outcome.kind, r.kind);
        EXPECT_EQ(outcome.report, r.report);
        EXPECT_EQ(outcome.message.empty(), r.kind != Kind::message);
        EXPECT_EQ(outcome.fields.empty(), r.kind != Kind::result);
        EXPECT_EQ(outcome.line.empty(), r.kind != Kind::result);
    }
}

}  // namespace

namespace {

TEST(CriticalText, EachTailTheLineShowsNamedToSixDigits)
{
    using D = run::DistributionId;
    const auto q = [](D d, double nu1 = 0, double nu2 = 0) { return run::Question{&run::describe(d), 0, nu1, nu2}; };
    struct Row { run::Question question; Text alpha; char16_t separator; Text text; };
    const Text words = u"\u03B1 must be between 0 and 1";
    const Row rows[] = {
        {q(D::t, 17), u"0.05", u'.', u"lower tail -1.73961\nupper tail 1.73961\nboth tails \u00B12.10982"},
        {q(D::t, 17), u"0.05", u',', u"lower tail -1,73961\nupper tail 1,73961\nboth tails \u00B12,10982"},
        {q(D::t, 17), u"0,05", u',', u"lower tail -1,73961\nupper tail 1,73961\nboth tails \u00B12,10982"},
        {q(D::t, 17), u"0.95", u'.', u"lower tail 1.73961\nupper tail -1.73961\nboth tails \u00B10.0636390"},
        {q(D::chi_square, 4), u"0.01", u'.', u"lower tail 0.297109\nupper tail 13.2767"},
        {q(D::normal), u".05", u'.', u"lower tail -1.64485\nupper tail 1.64485\nboth tails \u00B11.95996"},
        {q(D::f, 4, 20), u"0.01", u'.', u"lower tail 0.0713287\nupper tail 4.43069\ndoubled 5.17428"},
        // Beyond a double, each bound turned with its tail.
        {q(D::t, 0.1), u"1e-300", u'.',
         u"lower tail < -1.79769e+308\nupper tail > 1.79769e+308\nboth tails beyond \u00B11.79769e+308"},
        {q(D::chi_square, 1e-18), u"1e-10", u'.', u"lower tail < 4.94066e-324\nupper tail < 4.94066e-324"},
        {q(D::t, 17), u"", u'.', words},
        {q(D::t, 17), u"0", u'.', words},
        {q(D::t, 17), u"1", u'.', words},
        {q(D::t, 17), u"-0.05", u'.', words},
        {q(D::t, 17), u"abc", u'.', words},
        {q(D::t, 17), u",05", u'.', u"lower tail -1.73961\nupper tail 1.73961\nboth tails \u00B12.10982"},
        {q(D::t, 17), u" +0.05 and more", u'.', u"lower tail -1.73961\nupper tail 1.73961\nboth tails \u00B12.10982"},
        {q(D::normal), u"1e-400", u'.', words},
        {q(D::t, 17), u"1" + Text(400, u'0'), u'.', words},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(platform::to_utf8(r.alpha));
        EXPECT_EQ(run::critical_text(r.question, r.alpha, r.separator), r.text);
    }
}

}  // namespace
