// The power window through Qt: the scenarios every backend runs, then what is
// Qt's own to check (the way there and back, the clipboard, what fits).
#include <QAccessible>
#include <QClipboard>
#include <QScreen>

#include "support/power_window.h"
#include "support/session.h"

TEST(PowerWindow, EveryScenario)
{
    for (const power_rows::Scenario& scenario : power_rows::scenarios(Session::separator())) {
        SCOPED_TRACE(scenario.name);
        Session s;
        s.click(s.main().cmd_power);
        forms::frm_power& w = s.program.power();
        ASSERT_TRUE(w.visible());
        if (!scenario.steps.empty()) {
            const auto click = [&](platform::CommandButton& b) { s.click(b); };
            const auto type = [&](platform::TextBox& b, const std::u16string& t) { s.type(b, QString::fromStdU16String(t)); };
            for (const std::string& failure : power_rows::walk(scenario, w, s.main().cmd_power, click, type))
                ADD_FAILURE() << failure;
            continue;
        }
        s.click(power_rows::button_of(w, scenario.design));
        for (const auto& [key, text] : scenario.boxes) s.type(power_rows::box_of(w, key), QString::fromStdU16String(text));
        s.click(power_rows::button_of(w, scenario.question));
        for (const std::string& failure : power_rows::check_window(scenario, w)) ADD_FAILURE() << failure;
        EXPECT_EQ(s.clipped_texts(), std::vector<std::string>{});
    }
}

TEST(PowerWindow, ReachedFromMainBackAsItWasExitEnds)
{
    Session s;
    auto& main = s.main();
    s.enter(&forms::frm_initial::cmd_t, "2.1", "17");
    s.click(main.cmd_power);
    forms::frm_power& p = s.program.power();
    EXPECT_TRUE(p.visible());
    EXPECT_FALSE(main.visible());
    // Its boxes named by their labels, the window fitting a small screen.
    for (platform::Control* c : p.tab_order()) {
        if (!c->visible()) continue;
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(widget(*c))->text(QAccessible::Name).isEmpty());
    }
    EXPECT_LE(widget(p)->width(), 1366);
    EXPECT_LE(widget(p)->height(), 700);

    // Ctrl+C gives the paragraph for a methods section, as Copy does.
    s.click(p.cmd_find_n);
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(widget(p.cmd_copy), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("A priori power analysis: two-tailed t test"));

    // Back, and the close box, return to the main window as it was.
    for (bool close_box : {false, true}) {
        if (close_box) {
            s.click(main.cmd_power);
            widget(p)->close();
        } else {
            s.click(p.cmd_back);
        }
        EXPECT_TRUE(main.visible());
        EXPECT_FALSE(p.visible());
        EXPECT_EQ(main.txt_datavalue.text(), u"2.1");
        EXPECT_EQ(s.ends, 0);
    }
    s.click(main.cmd_power);
    s.click(p.cmd_exit);
    EXPECT_EQ(s.ends, 1);
}
