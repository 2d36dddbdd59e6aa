// The distribution rows end to end: pick the distribution by its button, type
// the texts, click Run, read the P-value line or the message.
#include <optional>

#include "support/session.h"

namespace {

using Button = platform::CommandButton forms::frm_initial::*;
constexpr Button chi = &forms::frm_initial::cmd_chi;
constexpr Button gauss = &forms::frm_initial::cmd_gauss;
constexpr Button t = &forms::frm_initial::cmd_t;
constexpr Button f = &forms::frm_initial::cmd_f;

const std::optional<QString> untouched;  // leave the box's design-time text

struct Row {
    Button button;
    QString value;
    std::optional<QString> dfnum, dfden;
    QString line;     // expected P-value line, or
    QString message;  // expected message (then no line)
};

const QString positive_df = QStringLiteral("DEGREES OF FREEDOM must be greater than 0.");
const QString positive_num = QStringLiteral("D.F.(NUMERATOR) must be greater than 0.");
const QString positive_den = QStringLiteral("D.F.(DENOMINATOR) must be greater than 0.");
const QString f_negative = QStringLiteral("F VALUE must not be negative.");
QString too_large(const char* box)
{
    return QStringLiteral("%1 is too large: the largest accepted value is 1000000000.").arg(box);
}
const QString chi_negative = QStringLiteral("CHI-SQUARED VALUE must not be negative.");
QString fault(const char* words)
{
    return QStringLiteral("The calculation cannot be done with these numbers: it met %1.").arg(words);
}

const Row rows[] = {
    // chi-square
    {chi, "3.84", "1", untouched, "  P = 0.0500", {}},
    {chi, "5.99", "2", untouched, "  P = 0.0500", {}},
    {chi, "11.07", "5", untouched, "  P = 0.0500", {}},
    {chi, "18.307", "10", untouched, "  P = 0.0500", {}},
    {chi, "0", "2", untouched, "  P = 1.0000", {}},
    {chi, "3.84", " 2 ", untouched, "  P = 0.1466", {}},
    {chi, "3.84", "2,5", untouched, "  P = 0.1466", {}},
    {chi, "1", "2.5", untouched, "  P = 0.7162", {}},  // fractional degrees (Satterthwaite)
    {chi, "", "", untouched, {}, positive_df},
    {chi, "2", "", untouched, {}, positive_df},
    {chi, "3.84", untouched, untouched, {}, positive_df},
    {chi, "-1", "2", untouched, {}, chi_negative},
    {chi, "-1", "1", untouched, {}, chi_negative},
    {chi, "0", "1", untouched, "  P = 1.0000", {}},
    {chi, "0", "0.3", untouched, "  P = 1.0000", {}},
    {chi, "287.882", "250", untouched, "  P = 0.0500", {}},  // x^k beyond a double
    {chi, "295.689", "250", untouched, "  P = 0.0250", {}},
    {chi, "5", "301", untouched, "  P = 1.0000", {}},
    {chi, "340", "300", untouched, "  P = 0.0556", {}},
    {chi, "1416", "300", untouched, "  P = 0.0000", {}},
    {chi, "1416", "40", untouched, "  P = 0.0000", {}},
    {chi, "1485", "21", untouched, "  P = 0.0000", {}},
    {chi, "1500", "1500", untouched, "  P = 0.4951", {}},
    {chi, "1002327.3", "1000000", untouched, "  P = 0.0500", {}},
    {chi, "3.84", "1000000001", untouched, {}, too_large("DEGREES OF FREEDOM")},
    // normal
    {gauss, "1.96", untouched, untouched, "  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", {}},
    {gauss, "1,96", untouched, untouched, "  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500", {}},
    {gauss, "-1.0", untouched, untouched, "  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", {}},
    {gauss, "1", untouched, untouched, "  P = 0.3413   P = 0.6827   P = 0.1587   P = 0.3173", {}},
    {gauss, "-3", untouched, untouched, "  P = 0.4987   P = 0.9973   P = 0.0013   P = 0.0027", {}},
    {gauss, "2.575", untouched, untouched, "  P = 0.4950   P = 0.9900   P = 0.0050   P = 0.0100", {}},
    {gauss, "0", untouched, untouched, "  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", {}},
    {gauss, "", untouched, untouched, "  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000", {}},
    {gauss, "40", untouched, untouched, "  P = 0.5000   P = 1.0000   P = 0.0000   P = 0.0000", {}},
    {gauss, "2" + QString(160, '0'), untouched, untouched, {}, fault("a number too large to hold (overflow)")},
    {gauss, "1" + QString(400, '0'), untouched, untouched, {}, fault("a number too large to hold (overflow)")},
    // t
    {t, "2", "10", untouched, "   P = 0.0367       P = 0.0734", {}},
    {t, "2.228", "10", untouched, "   P = 0.0250       P = 0.0500", {}},
    {t, "1", "1", untouched, "   P = 0.2500       P = 0.5000", {}},
    {t, "12.706", "1", untouched, "   P = 0.0250       P = 0.0500", {}},
    {t, "2", "2", untouched, "   P = 0.0918       P = 0.1835", {}},
    {t, "3.182", "3", untouched, "   P = 0.0250       P = 0.0500", {}},
    {t, "2", "4", untouched, "   P = 0.0581       P = 0.1161", {}},
    {t, "2", "5", untouched, "   P = 0.0510       P = 0.1019", {}},
    {t, "2.5", "7", untouched, "   P = 0.0205       P = 0.0410", {}},
    {t, "1.96", "1000", untouched, "   P = 0.0251       P = 0.0503", {}},
    {t, "", "7", untouched, "   P = 0.5000       P = 1.0000", {}},
    {t, "-2", "10", untouched, "   P = 0.9633       P = 0.0734", {}},
    {t, "2", "", untouched, {}, positive_df},
    {t, "2", "-4", untouched, {}, positive_df},
    {t, "2.1", "17.34", untouched, "   P = 0.0253       P = 0.0507", {}},  // Welch
    {t, "1.96", "100001", untouched, "   P = 0.0250       P = 0.0500", {}},
    {t, "492", "994900", untouched, "   P = 0.0000       P = 0.0000", {}},
    {t, "-1.645", "1000000000", untouched, "   P = 0.9500       P = 0.1000", {}},
    {t, "2", "1000000001", untouched, {}, too_large("DEGREES OF FREEDOM")},
    // F
    {f, "3", "4", "20", "  P = 0.0432        P = 0.0864", {}},
    {f, "2.87", "4", "20", "  P = 0.0498        P = 0.0996", {}},
    {f, "2", "2", "2", "  P = 0.3333        P = 0.6667", {}},
    {f, "1", "5", "5", "  P = 0.5000        P = 1.0000", {}},
    {f, "5.05", "5", "5", "  P = 0.0500        P = 0.1000", {}},
    {f, "4.96", "1", "10", "  P = 0.0501        P = 0.1002", {}},
    {f, "161.4", "1", "1", "  P = 0.0500        P = 0.1000", {}},
    {f, "3", "3", "10", "  P = 0.0817        P = 0.1635", {}},
    {f, "1", "1", "100", "  P = 0.3197        P = 0.6394", {}},
    {f, "0.5", "4", "20", "  P = 0.7360        P = 0.5279", {}},
    {f, "", "4", "20", "  P = 1.0000        P = 0.0000", {}},
    {f, "-1", "4", "20", {}, f_negative},
    {f, "3", "", "20", {}, positive_num},
    {f, "3", "4", "", {}, positive_den},
    {f, "", "", "", {}, positive_num},
    {f, "3", "4", "200000", "  P = 0.0174        P = 0.0347", {}},
    {f, "2.5", "3.5", "17.34", "  P = 0.0865        P = 0.1731", {}},
    {f, "1.00005", "1000000000", "1000000000", "  P = 0.2146        P = 0.4292", {}},
    {f, "3", "4", "1000000001", {}, too_large("D.F.(DENOMINATOR)")},
    {f, "0.00000000000000000001", "4", "20", "  P = 1.0000        P = 0.0000", {}},
};

}  // namespace

TEST(RunRows, EachRowThroughTheWindows)
{
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "value=" << r.value.toStdString() << " dfnum="
                                        << r.dfnum.value_or("<design>").toStdString() << " dfden="
                                        << r.dfden.value_or("<design>").toStdString());
        Session s;
        forms::frm_initial& w = s.main();
        s.enter(r.button, r.value, r.dfnum, r.dfden);
        const platform::Text typed[] = {w.txt_datavalue.text(), w.txt_datadfnum.text(), w.txt_datadfden.text()};

        const auto message = s.message_from([&] { s.click(w.cmd_run); });

        if (r.message.isEmpty()) {
            EXPECT_FALSE(message) << platform::to_utf8(message.value_or(u""));
            EXPECT_FALSE(w.visible());
            EXPECT_TRUE(s.result().visible());
            EXPECT_EQ(to_qstring(s.result().lbl_graph.caption()), r.line);
        } else {
            EXPECT_EQ(to_qstring(message.value_or(u"<no message>")), r.message);
            EXPECT_EQ(s.last_title, u"Varendo");
            EXPECT_TRUE(w.visible());
            EXPECT_FALSE(s.result().visible());
            EXPECT_EQ(s.result().lbl_graph.caption(), u"");
            EXPECT_EQ(w.txt_datavalue.text(), typed[0]);
            EXPECT_EQ(w.txt_datadfnum.text(), typed[1]);
            EXPECT_EQ(w.txt_datadfden.text(), typed[2]);
        }
        EXPECT_EQ(s.ends, 0);
    }
}
