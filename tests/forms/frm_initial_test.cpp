#include <QAccessible>
#include <QClipboard>
#include <QScreen>

#include "run/captions.h"
#include "session.h"

namespace {
namespace captions = run::captions;
using Button = platform::CommandButton forms::frm_initial::*;
}  // namespace

TEST(MainWindow, StartsWithNothingChosen)
{
    Session s;
    auto& w = s.main();
    EXPECT_EQ(w.windowTitle(), "Varendo");
    EXPECT_FALSE(w.cmd_run.isEnabled());
    for (QWidget* box : {&w.txt_datavalue, &w.txt_datadfnum, &w.txt_datadfden}) EXPECT_FALSE(box->isVisible());
    for (platform::Label* label : {&w.lbl_value, &w.lbl_dfnum, &w.lbl_dfden}) {
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->caption(), "");
    }
    EXPECT_EQ(w.txt_datavalue.text(), "");
    EXPECT_EQ(w.txt_datadfnum.text(), "    ");
    EXPECT_EQ(w.txt_datadfden.text(), "    ");
    EXPECT_EQ(w.focusWidget(), &w.cmd_about);
    EXPECT_FALSE(s.program.has_result());
}

TEST(MainWindow, SelectionLaysOutThePanel)
{
    struct Row { Button button; QString value; bool num; QString num_caption; bool den; int picture; };
    const Row rows[] = {
        {&forms::frm_initial::cmd_chi, captions::chi_square, true, captions::degrees, false, 101},
        {&forms::frm_initial::cmd_gauss, captions::normal, false, "", false, 103},
        {&forms::frm_initial::cmd_t, captions::t, true, captions::degrees, false, 104},
        {&forms::frm_initial::cmd_f, captions::f, true, captions::numerator, true, 102},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value.toStdString());
        Session s;
        auto& w = s.main();
        for (int press = 0; press < 2; ++press) {  // twice gives the same layout
            s.click(w.*r.button);
            EXPECT_TRUE(w.cmd_run.isEnabled());
            EXPECT_EQ(w.lbl_value.caption(), r.value);
            EXPECT_TRUE(w.txt_datavalue.isVisible());
            EXPECT_EQ(w.focusWidget(), &w.txt_datavalue);
            EXPECT_EQ(w.lbl_dfnum.isVisible(), r.num);
            EXPECT_EQ(w.txt_datadfnum.isVisible(), r.num);
            EXPECT_EQ(w.lbl_dfnum.caption(), r.num_caption);
            EXPECT_EQ(w.lbl_dfden.isVisible(), r.den);
            EXPECT_EQ(w.txt_datadfden.isVisible(), r.den);
            EXPECT_EQ(w.lbl_dfden.caption(), r.den ? captions::denominator : "");
            EXPECT_EQ(s.result().pic_geral.picture_number(), r.picture);
            EXPECT_FALSE(s.result().pic_geral.picture().isNull());
            EXPECT_FALSE(s.result().isVisible());
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
    EXPECT_FALSE(w.txt_datadfnum.isVisible());
    EXPECT_EQ(w.txt_datadfnum.text(), "7");
    s.click(w.cmd_f);
    EXPECT_EQ(w.lbl_dfnum.caption(), captions::numerator);
    EXPECT_TRUE(w.txt_datadfden.isVisible());
    s.type(w.txt_datadfden, "20");
    s.click(w.cmd_t);
    EXPECT_EQ(w.lbl_dfnum.caption(), captions::degrees);
    EXPECT_EQ(w.txt_datadfnum.text(), "7");
    EXPECT_FALSE(w.txt_datadfden.isVisible());
    s.click(w.cmd_f);
    EXPECT_EQ(w.txt_datadfden.text(), "20");
    EXPECT_EQ(w.lbl_dfden.caption(), captions::denominator);
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
        w.txt_datavalue.setText(r.before);
        w.txt_datavalue.end(false);
        if (r.select_all) w.txt_datavalue.selectAll();
        QTest::keyClicks(&w.txt_datavalue, r.keys);
        EXPECT_EQ(w.txt_datavalue.text(), r.after);
    }
}

TEST(MainWindow, PastedCommaAndDegreesBoxesAreNotFiltered)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_f);
    QGuiApplication::clipboard()->setText("1,96");
    QTest::keyClick(&w.txt_datavalue, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txt_datavalue.text(), "1,96");
    s.type(w.txt_datadfnum, "2,5");
    s.type(w.txt_datadfden, "4,5");
    EXPECT_EQ(w.txt_datadfnum.text(), "2,5");
    EXPECT_EQ(w.txt_datadfden.text(), "4,5");
}

TEST(MainWindow, AboutShowsSevenLinesAndChangesNothing)
{
    Session s;
    auto& w = s.main();
    const auto text = s.message_from([&] { s.click(w.cmd_about); });
    ASSERT_TRUE(text);
    EXPECT_EQ(s.last_title, "Varendo");
    const QStringList lines = text->split('\n');
    EXPECT_EQ(lines.size(), 7);
    for (const QString& line : lines) EXPECT_FALSE(line.trimmed().isEmpty());
    EXPECT_EQ(lines.value(0).trimmed(), "Varendo " VARENDO_VERSION);
    // Nobody to write to who does not exist: no address, no fax, no placeholder domain.
    EXPECT_FALSE(text->contains('@') || text->contains("example") || text->contains("Fax")) << text->toStdString();
    EXPECT_TRUE(text->contains("MIT"));
    EXPECT_FALSE(w.cmd_run.isEnabled());
    EXPECT_FALSE(w.txt_datavalue.isVisible());
    EXPECT_TRUE(w.isVisible());
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
        s.main().close();
        EXPECT_EQ(s.ends, 1);
    }
}

TEST(MainWindow, ControlsStandWhereTheLayoutPutsThem)
{
    Session s;
    auto& w = s.main();
    EXPECT_EQ(w.size(), QSize(449, 251));
    struct Row { QWidget* control; QRect place; };
    const Row rows[] = {
        {&w.txt_datavalue, {208, 32, 49, 25}}, {&w.txt_datadfnum, {208, 72, 49, 25}},
        {&w.txt_datadfden, {208, 112, 49, 25}}, {&w.lbl_value, {40, 40, 153, 17}},
        {&w.lbl_dfnum, {40, 80, 153, 17}},      {&w.lbl_dfden, {40, 120, 153, 17}},
        {&w.cmd_run, {328, 32, 81, 25}},        {&w.cmd_exit, {328, 72, 81, 25}},
        {&w.cmd_about, {328, 112, 81, 25}},     {&w.Text1, {96, 160, 257, 19}},
        {&w.cmd_chi, {24, 192, 89, 33}},        {&w.cmd_gauss, {128, 192, 89, 33}},
        {&w.cmd_t, {232, 192, 89, 33}},         {&w.cmd_f, {336, 192, 89, 33}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control->metaObject()->className());
        EXPECT_EQ(r.control->geometry(), r.place);
        EXPECT_EQ(QFontInfo(r.control->font()).family(), "Liberation Mono");
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((w.geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST(MainWindow, TabOrderFollowsTheLayout)
{
    Session s;
    auto& w = s.main();
    const std::vector<QWidget*> order = {&w.txt_datavalue, &w.txt_datadfnum, &w.txt_datadfden,
                                         &w.cmd_run,       &w.cmd_about,     &w.cmd_exit,
                                         &w.cmd_chi,       &w.cmd_gauss,     &w.cmd_t,
                                         &w.cmd_f,         &w.Text1};
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
    EXPECT_EQ(name(&w.txt_datavalue), captions::f);
    EXPECT_EQ(name(&w.txt_datadfnum), captions::numerator);
    EXPECT_EQ(name(&w.txt_datadfden), captions::denominator);
    EXPECT_EQ(name(&w.cmd_run), "Run");
    EXPECT_EQ(name(&w.cmd_about), "About...");
    EXPECT_EQ(name(&w.cmd_chi), "Chi-Sqrd.");
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
    press(&w.cmd_t);
    QTRY_VERIFY(w.txt_datavalue.isVisible());
    set_text(&w.txt_datavalue, "2,228");  // not typed: no filter
    set_text(&w.txt_datadfnum, "10");
    press(&w.cmd_run);
    QTRY_VERIFY(s.program.has_result() && s.result().isVisible());
    // "2,228" reads as 2.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&s.result().lbl_graph)->text(QAccessible::Name),
              "   P = 0.0367       P = 0.0734");
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

TEST(MainWindow, BracketIsDrawnOverTheSelectionButtons)
{
    Session s;
    const QImage drawn = s.main().grab().toImage();
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
