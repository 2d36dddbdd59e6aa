#include <QAccessible>
#include <QClipboard>
#include <QScreen>

#include "support/fault_once.h"
#include "support/session.h"

namespace {
using Button = platform::CommandButton forms::frm_initial::*;
using run::DistributionId;
const run::Distribution& t_law = run::describe(DistributionId::t);
const run::Distribution& f_law = run::describe(DistributionId::f);
}  // namespace

TEST(MainWindow, StartsWithNothingChosen)
{
    Session s;
    auto& w = s.main();
    EXPECT_EQ(widget(w)->windowTitle(), "Varendo");
    EXPECT_FALSE(w.cmd_run.enabled());
    for (platform::TextBox* box : {&w.txt_datavalue, &w.txt_datadfnum, &w.txt_datadfden}) EXPECT_FALSE(box->visible());
    for (platform::Label* label : {&w.lbl_value, &w.lbl_dfnum, &w.lbl_dfden}) {
        EXPECT_TRUE(label->visible());
        EXPECT_EQ(label->caption(), u"");
    }
    EXPECT_EQ(w.txt_datavalue.text(), u"");
    EXPECT_EQ(w.txt_datadfnum.text(), u"    ");
    EXPECT_EQ(w.txt_datadfden.text(), u"    ");
    EXPECT_EQ(w.focused(), &w.cmd_about);
    EXPECT_FALSE(s.program.has_result());
}

TEST(MainWindow, SelectionLaysOutThePanel)
{
    struct Row { Button button; platform::Text value; bool num; platform::Text num_caption; bool den; int picture; };
    const Row rows[] = {
        {&forms::frm_initial::cmd_chi, u"CHI-SQUARED VALUE ", true, u"DEGREES OF FREEDOM", false, 101},
        {&forms::frm_initial::cmd_gauss, u"z VALUE", false, u"", false, 103},
        {&forms::frm_initial::cmd_t, u"t VALUE", true, u"DEGREES OF FREEDOM", false, 104},
        {&forms::frm_initial::cmd_f, u"F VALUE", true, u"D.F.(NUMERATOR)", true, 102},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(platform::to_utf8(r.value));
        Session s;
        auto& w = s.main();
        for (int press = 0; press < 2; ++press) {  // twice gives the same layout
            s.click(w.*r.button);
            EXPECT_TRUE(w.cmd_run.enabled());
            EXPECT_EQ(w.lbl_value.caption(), r.value);
            EXPECT_TRUE(w.txt_datavalue.visible());
            EXPECT_EQ(w.focused(), &w.txt_datavalue);
            EXPECT_EQ(w.lbl_dfnum.visible(), r.num);
            EXPECT_EQ(w.txt_datadfnum.visible(), r.num);
            EXPECT_EQ(w.lbl_dfnum.caption(), r.num_caption);
            EXPECT_EQ(w.lbl_dfden.visible(), r.den);
            EXPECT_EQ(w.txt_datadfden.visible(), r.den);
            EXPECT_EQ(w.lbl_dfden.caption(), r.den ? u"D.F.(DENOMINATOR)" : platform::Text());
            EXPECT_EQ(s.result().pic_geral.picture_number(), r.picture);
            EXPECT_FALSE(s.result().visible());
        }
    }
}

TEST(MainWindow, BoxTextsSurviveChangesOfSelection)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_chi);
    s.type(w.txt_datadfnum, "7");
    s.click(w.cmd_gauss);
    EXPECT_FALSE(w.txt_datadfnum.visible());
    EXPECT_EQ(w.txt_datadfnum.text(), u"7");
    s.click(w.cmd_f);
    EXPECT_EQ(w.lbl_dfnum.caption(), f_law.numerator_row);
    EXPECT_TRUE(w.txt_datadfden.visible());
    s.type(w.txt_datadfden, "20");
    s.click(w.cmd_t);
    EXPECT_EQ(w.lbl_dfnum.caption(), t_law.numerator_row);
    EXPECT_EQ(w.txt_datadfnum.text(), u"7");
    EXPECT_FALSE(w.txt_datadfden.visible());
    s.click(w.cmd_f);
    EXPECT_EQ(w.txt_datadfden.text(), u"20");
    EXPECT_EQ(w.lbl_dfden.caption(), f_law.denominator_row);
}

TEST(MainWindow, TypedCommaBecomesPointOnceTheBoxHoldsText)
{
    struct Row { const char* before; bool select_all; const char* keys; const char* after; };
    const Row rows[] = {
        {"", false, "1,96", "1.96"},
        {"", false, ",5", ",5"},
        {"12", true, ",", "."},
        {"", false, "1.5", "1.5"},
        {"", false, "1..2", "1..2"},
        {"", false, "a,,b", "a..b"},
        {"x", false, ",", "x."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.keys);
        Session s;
        auto& w = s.main();
        s.click(w.cmd_gauss);
        auto* box = platform::qt::widget_as<QLineEdit>(w.txt_datavalue);
        w.txt_datavalue.set_text(platform::from_utf8(r.before));
        box->end(false);
        if (r.select_all) box->selectAll();
        QTest::keyClicks(box, r.keys);
        EXPECT_EQ(w.txt_datavalue.text(), platform::from_utf8(r.after));
    }
}

TEST(MainWindow, PastedCommaAndDegreesBoxesAreNotFiltered)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_f);
    QGuiApplication::clipboard()->setText("1,96");
    QTest::keyClick(widget(w.txt_datavalue), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txt_datavalue.text(), u"1,96");
    s.type(w.txt_datadfnum, "2,5");
    s.type(w.txt_datadfden, "4,5");
    EXPECT_EQ(w.txt_datadfnum.text(), u"2,5");
    EXPECT_EQ(w.txt_datadfden.text(), u"4,5");
}

TEST(MainWindow, AboutShowsSevenLinesAndChangesNothing)
{
    Session s;
    auto& w = s.main();
    const auto message = s.message_from([&] { s.click(w.cmd_about); });
    ASSERT_TRUE(message);
    const QString notice = to_qstring(*message);
    const QString* text = &notice;
    EXPECT_EQ(s.last_title, u"Varendo");
    const QStringList lines = text->split('\n');
    EXPECT_EQ(lines.size(), 7);
    for (const QString& line : lines) EXPECT_FALSE(line.trimmed().isEmpty());
    EXPECT_EQ(lines.value(0).trimmed(), "Varendo " VARENDO_VERSION);
    // Nobody to write to who does not exist: no address, no fax, no placeholder domain.
    EXPECT_FALSE(text->contains('@') || text->contains("example") || text->contains("Fax")) << text->toStdString();
    EXPECT_TRUE(text->contains("MIT"));
    EXPECT_FALSE(w.cmd_run.enabled());
    EXPECT_FALSE(w.txt_datavalue.visible());
    EXPECT_TRUE(w.visible());
}

TEST(MainWindow, ExitAndTheCloseBoxEndTheProgram)
{
    {
        Session s;
        s.click(s.main().cmd_chi);
        s.type(s.main().txt_datavalue, "3");
        s.click(s.main().cmd_exit);
        EXPECT_EQ(s.ends, 1);
    }
    {
        Session s;
        s.click(s.main().cmd_chi);  // the result window now exists, hidden
        widget(s.main())->close();
        EXPECT_EQ(s.ends, 1);
    }
}

// A handler that throws where Qt calls in: the message the Run command gives
// for an unforeseen fault, and the program goes on.
TEST(MainWindow, AHandlerThatThrowsIsReportedAndTheProgramGoesOn)
{
    FaultOnce fault;
    const auto fail = [&] { fault(); };
    struct Way {
        const char* name;
        std::function<void(Session&)> arm, act;
    };
    const Way ways[] = {
        {"click", [&](Session& s) { s.main().cmd_about.on_click = fail; },
         [](Session& s) { s.click(s.main().cmd_about); }},
        {"key", [&](Session& s) { s.main().txt_datavalue.on_key_press = [&](char16_t&) { fail(); }; },
         [](Session& s) { QTest::keyClicks(widget(s.main().txt_datavalue), "7"); }},
        {"close box", [&](Session& s) { s.main().on_close = fail; }, [](Session& s) { widget(s.main())->close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Session s;
        s.click(s.main().cmd_gauss);
        way.arm(s);
        fault.armed = 1;
        EXPECT_EQ(s.message_from([&] { way.act(s); }).value_or(u"<none>"), FaultOnce::message);
        EXPECT_EQ(s.last_title, u"Varendo");
        EXPECT_EQ(s.main().txt_datavalue.text(), u"") << "a failed filter lets nothing in";
        // Still alive: a run gives its line.
        s.type(s.main().txt_datavalue, "1.96");
        EXPECT_FALSE(s.message_from([&] { s.click(s.main().cmd_run); }));
        EXPECT_EQ(s.result().lbl_graph.caption(), u"  P = 0.4750   P = 0.9500   P = 0.0250   P = 0.0500");
        EXPECT_EQ(s.ends, 0);
    }
}

TEST(MainWindow, ControlsStandWhereTheLayoutPutsThem)
{
    Session s;
    auto& w = s.main();
    EXPECT_EQ(widget(w)->size(), QSize(449, 291));
    struct Row { QWidget* control; QRect place; };
    const Row rows[] = {
        {widget(w.txt_datavalue), {208, 32, 49, 25}}, {widget(w.txt_datadfnum), {208, 72, 49, 25}},
        {widget(w.txt_datadfden), {208, 112, 49, 25}}, {widget(w.lbl_value), {40, 40, 153, 17}},
        {widget(w.lbl_dfnum), {40, 80, 153, 17}},      {widget(w.lbl_dfden), {40, 120, 153, 17}},
        {widget(w.cmd_run), {328, 32, 81, 25}},        {widget(w.cmd_exit), {328, 72, 81, 25}},
        {widget(w.cmd_about), {328, 112, 81, 25}},     {widget(w.Text1), {96, 160, 257, 19}},
        {widget(w.cmd_chi), {24, 192, 89, 33}},        {widget(w.cmd_gauss), {128, 192, 89, 33}},
        {widget(w.cmd_t), {232, 192, 89, 33}},         {widget(w.cmd_f), {336, 192, 89, 33}},
        {widget(w.cmd_power), {328, 248, 81, 25}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control->metaObject()->className());
        EXPECT_EQ(r.control->geometry(), r.place);
        EXPECT_EQ(QFontInfo(r.control->font()).family(), "Liberation Mono");
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((widget(w)->geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST(MainWindow, TabOrderFollowsTheLayout)
{
    Session s;
    auto& w = s.main();
    const std::vector<QWidget*> order = {widget(w.txt_datavalue), widget(w.txt_datadfnum), widget(w.txt_datadfden),
                                         widget(w.cmd_run),       widget(w.cmd_about),     widget(w.cmd_exit),
                                         widget(w.cmd_chi),       widget(w.cmd_gauss),     widget(w.cmd_t),
                                         widget(w.cmd_f),         widget(w.Text1),         widget(w.cmd_power)};
    // Labels and other controls that never take the focus sit in the chain too.
    auto next_taker = [](QWidget* widget) {
        do widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    for (size_t i = 1; i < order.size(); ++i) EXPECT_EQ(next_taker(order[i - 1]), order[i]) << i;
}

TEST(Accessibility, ControlsCarryTheirNames)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_f);
    auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(widget(w.txt_datavalue)), to_qstring(f_law.caption));
    EXPECT_EQ(name(widget(w.txt_datadfnum)), to_qstring(f_law.numerator_row));
    EXPECT_EQ(name(widget(w.txt_datadfden)), to_qstring(f_law.denominator_row));
    EXPECT_EQ(name(widget(w.cmd_run)), "Run");
    EXPECT_EQ(name(widget(w.cmd_about)), "About...");
    EXPECT_EQ(name(widget(w.cmd_chi)), "Chi-Sqrd.");
    EXPECT_EQ(name(widget(w.Text1)), "Select the statistical distribution");
    // Whatever Tab reaches in either window has a name.
    s.enter(&forms::frm_initial::cmd_f, "3", "4", "20");
    s.click(w.cmd_run);
    for (platform::Form* form : {static_cast<platform::Form*>(&w), static_cast<platform::Form*>(&s.result())})
        for (platform::Control* c : form->tab_order()) EXPECT_FALSE(name(widget(*c)).isEmpty()) << widget(*c)->metaObject()->className();
}

TEST(Accessibility, AnAssistiveClientCanRunAndReadTheLine)
{
    Session s;
    auto& w = s.main();
    auto press = [](QWidget* button) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    auto set_text = [](QWidget* box, const QString& text) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        auto* editable = iface->editableTextInterface();
        editable->replaceText(0, iface->textInterface()->characterCount(), text);
    };
    press(widget(w.cmd_t));
    QTRY_VERIFY(w.txt_datavalue.visible());
    set_text(widget(w.txt_datavalue), "2,228");  // not typed: no filter
    set_text(widget(w.txt_datadfnum), "10");
    press(widget(w.cmd_run));
    QTRY_VERIFY(s.program.has_result() && s.result().visible());
    // "2,228" reads as 2.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().lbl_graph))->text(QAccessible::Name),
              "   P = 0.0367       P = 0.0734");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().lbl_exact))->text(QAccessible::Name),
              "lower tail  0.9633\nupper tail  0.03669\nboth tails  0.07339");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().cmd_copy))->text(QAccessible::Name), "Copy");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().txt_alpha))->text(QAccessible::Name), "\u03B1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().lbl_critical))->text(QAccessible::Name),
              "lower tail -1.81246\nupper tail 1.81246\nboth tails \u00B12.22814");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().lbl_note))->text(QAccessible::Name),
              "In t VALUE, 2,228 was read as 2: a value takes a\npoint.");  // broken to fit
    // The pictures are read as pictures, in words; the plot's follow the level.
    QAccessibleInterface* plot = QAccessible::queryAccessibleInterface(widget(s.result().pic_plot));
    EXPECT_EQ(plot->role(), QAccessible::Graphic);
    EXPECT_EQ(plot->text(QAccessible::Name),
              "t(10) = 2: both tails p = 0.07339. Student t density, 10 degrees of freedom. t = 2 marked. Both tails "
              "beyond \u00B12 shaded: p = 0.07339. Critical values at \u03B1 = 0.05: \u00B12.22814. p = 0.07339 \u2265 "
              "\u03B1 = 0.05: not significant at this level.");
    set_text(widget(s.result().txt_alpha), "0.01");
    EXPECT_TRUE(plot->text(QAccessible::Name).contains("Critical values at \u03B1 = 0.01: \u00B13.16927."));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(s.result().pic_geral))->text(QAccessible::Name),
              "t: upper tail shaded, left; both tails, right");
}

TEST(Accessibility, MessageBoxesExposeTheirText)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_t);
    s.type(w.txt_datadfnum, "");
    QString seen;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* iface) {
            seen += iface->text(QAccessible::Name) + '|' + iface->text(QAccessible::Value) + '|';
            for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(box));
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    s.click(w.cmd_run);
    EXPECT_TRUE(seen.contains("DEGREES OF FREEDOM must be greater than 0.")) << seen.toStdString();
}

// Enter on a focused button presses it, as Space does; Enter in a box does
// not run, as there is no default button.
TEST(MainWindow, EnterPressesTheFocusedButton)
{
    Session s;
    auto& w = s.main();
    QTest::keyClick(widget(w.cmd_gauss), Qt::Key_Return);
    EXPECT_EQ(w.lbl_value.caption(), u"z VALUE");
    s.type(w.txt_datavalue, "1.96");
    QTest::keyClick(widget(w.txt_datavalue), Qt::Key_Return);
    EXPECT_FALSE(s.result().visible());
    QTest::keyClick(widget(w.cmd_run), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(s.result().visible());
}

TEST(MainWindow, BracketIsDrawnOverTheSelectionButtons)
{
    Session s;
    const QImage drawn = widget(s.main())->grab().toImage();
    auto black = [&](int x, int y) { return drawn.pixel(x, y) == qRgb(0, 0, 0); };
    for (int y = 168; y <= 184; ++y) {
        EXPECT_TRUE(black(24, y)) << y;
        EXPECT_TRUE(black(424, y)) << y;
    }
    for (int x = 24; x < 96; ++x) EXPECT_TRUE(black(x, 168)) << x;
    for (int x = 353; x <= 424; ++x) EXPECT_TRUE(black(x, 168)) << x;
    // Nowhere else: below the rule, between the strokes, and beside the prompt.
    EXPECT_EQ(drawn.pixel(60, 176), qRgb(192, 192, 192));
    EXPECT_EQ(drawn.pixel(400, 186), qRgb(192, 192, 192));
    EXPECT_EQ(drawn.pixel(24, 166), qRgb(192, 192, 192));
}
