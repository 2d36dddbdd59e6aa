// What the Run command does beyond the rows: dispatch on the caption, the
// user's decimal separator.
#include "support/session.h"

TEST(RunCommand, CaptionWithoutItsTrailingBlankRunsNothing)
{
    Session s;
    auto& w = s.main();
    s.enter(&forms::frm_initial::cmd_chi, "3.84", "1");
    w.lbl_value.set_caption(u"CHI-SQUARED VALUE");
    platform::Control* focus_before = w.focused();

    // Pressed without the mouse, so that the click itself moves no focus.
    const auto message = s.message_from([&] { w.cmd_run.click(); });

    EXPECT_FALSE(message);
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(s.result().visible());
    EXPECT_EQ(s.result().lbl_graph.caption(), u"");
    EXPECT_EQ(w.focused(), focus_before);
}

TEST(RunCommand, CommaSeparatorIsRepairedInTheLine)
{
    struct Row { platform::CommandButton forms::frm_initial::*button; QString value, dfnum, dfden, line; };
    const Row rows[] = {
        {&forms::frm_initial::cmd_chi, "3.84", "1", "", "  P = 0.0500"},
        {&forms::frm_initial::cmd_gauss, "1.96", "", "", "  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500"},
        {&forms::frm_initial::cmd_t, "2", "10", "", "   P = 0.0367       P = 0.0734"},
        {&forms::frm_initial::cmd_f, "3", "4", "20", "  P = 0.0432        P = 0.0864"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.toStdString());
        Session s;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto& w = s.main();
        s.enter(r.button, r.value, r.dfnum, r.dfden);
        s.click(w.cmd_run);
        EXPECT_EQ(to_qstring(s.result().lbl_graph.caption()), r.line);
    }
}

TEST(RunCommand, BackThenRunComputesTheSameDistributionFromEmptyBoxes)
{
    Session s;
    auto& w = s.main();
    s.enter(&forms::frm_initial::cmd_gauss, "1.96");
    s.click(w.cmd_run);
    s.click(s.result().cmd_back);
    s.click(w.cmd_run);
    EXPECT_EQ(s.result().lbl_graph.caption(), u"  P = 0.0000   P = 0.0000   P = 0.5000   P = 1.0000");
}

TEST(RunCommand, AFailedRunCanBeCorrectedAndRunAgain)
{
    Session s;
    auto& w = s.main();
    s.enter(&forms::frm_initial::cmd_t, "2", "0");
    EXPECT_TRUE(s.message_from([&] { s.click(w.cmd_run); }));
    EXPECT_EQ(w.lbl_value.caption(), run::describe(run::DistributionId::t).caption);
    s.type(w.txt_datadfnum, "10");
    EXPECT_FALSE(s.message_from([&] { s.click(w.cmd_run); }));
    EXPECT_EQ(s.result().lbl_graph.caption(), u"   P = 0.0367       P = 0.0734");
}
