#include <QClipboard>
#include <QMimeData>
#include <QScreen>

#include "run/distribution.h"
#include "charts/chart.h"
#include "charts/plot.h"
#include "support/session.h"

TEST(ResultWindow, BackEmptiesEveryBoxAndTheLine)
{
    Session s;
    auto& w = s.main();
    s.enter(&forms::frm_initial::cmd_f, "3", "4", "20");
    s.click(w.cmd_t);  // the denominator box is now hidden, still holding 20
    s.click(w.cmd_run);
    ASSERT_TRUE(s.result().visible());
    EXPECT_EQ(s.result().focused(), &s.result().cmd_back);

    s.click(s.result().cmd_back);

    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(s.result().visible());
    EXPECT_EQ(w.txt_datavalue.text(), u"");
    EXPECT_EQ(w.txt_datadfnum.text(), u"");
    EXPECT_EQ(w.txt_datadfden.text(), u"");
    EXPECT_EQ(s.result().lbl_graph.caption(), u"");
    EXPECT_EQ(w.focused(), &w.txt_datavalue);
    EXPECT_EQ(w.lbl_value.caption(), run::describe(run::DistributionId::t).caption);
    EXPECT_TRUE(w.cmd_run.enabled());
    EXPECT_FALSE(w.txt_datadfden.visible());
    EXPECT_EQ(s.result().pic_geral.picture_number(), 104);

    // A comma typed first into the emptied box stays a comma.
    QTest::keyClicks(widget(w.txt_datavalue), ",5");
    EXPECT_EQ(w.txt_datavalue.text(), u",5");
}

TEST(ResultWindow, CtrlCAndCopyPutTheReportOnTheClipboard)
{
    const QString report = "Varendo: Student t\nt VALUE: 2.1\nDEGREES OF FREEDOM: 17\nquestion: t(17) = 2.1\n"
                           "upper tail: P = 0.0255, exact 0.02548\nboth tails: P = 0.0510, exact 0.05096\n"
                           "lower tail: exact 0.9745\nt(17) = 2.10, p = .051\n"
                           "critical values at \u03B1 = 0.05: lower tail -1.73961  upper tail 1.73961  both tails "
                           "\u00B12.10982\np = 0.05096 \u2265 \u03B1 = 0.05: not significant at this level\n";
    // Ctrl+C where the focus is: on Back, or in the α box, which copies its
    // own selection as every box does and otherwise leaves the key to the window.
    enum Way { button, on_back, in_box, in_box_selected };
    for (Way way : {button, on_back, in_box, in_box_selected}) {
        SCOPED_TRACE(way);
        Session s;
        s.enter(&forms::frm_initial::cmd_t, "2.1", "17");
        s.click(s.main().cmd_run);
        QGuiApplication::clipboard()->setText("before");
        auto* alpha = qobject_cast<QLineEdit*>(widget(s.result().txt_alpha));
        if (way == button) s.click(s.result().cmd_copy);
        if (way == on_back) QTest::keyClick(widget(s.result().cmd_back), Qt::Key_C, Qt::ControlModifier);
        if (way == in_box || way == in_box_selected) {
            alpha->setFocus();
            way == in_box ? alpha->deselect() : alpha->setSelection(2, 2);
            QTest::keyClick(alpha, Qt::Key_C, Qt::ControlModifier);
        }
        EXPECT_EQ(QGuiApplication::clipboard()->text(), way == in_box_selected ? QString("05") : report);
        EXPECT_TRUE(s.result().visible());

        // Back forgets the report with the values.
        s.click(s.result().cmd_back);
        EXPECT_EQ(s.result().lbl_exact.caption(), u"");
        QGuiApplication::clipboard()->setText("before");
        QTest::keyClick(widget(s.result()), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    }
}

TEST(ResultWindow, CriticalValuesFollowTheLevelAsItIsTyped)
{
    Session s;
    s.enter(&forms::frm_initial::cmd_t, "2.1", "17");
    s.click(s.main().cmd_run);
    auto& r = s.result();
    EXPECT_EQ(r.txt_alpha.text(), u"0.05");
    EXPECT_EQ(r.lbl_critical.caption(), u"lower tail -1.73961\nupper tail 1.73961\nboth tails \u00B12.10982");
    EXPECT_EQ(r.lbl_verdict.caption(), u"p = 0.05096 \u2265 \u03B1 = 0.05: not significant at this level");

    struct Row { QString typed; const char16_t* box; const char16_t* critical; const char16_t* verdict; };
    const Row rows[] = {
        {"0,01", u"0.01", u"lower tail -2.56693\nupper tail 2.56693\nboth tails \u00B12.89823",
         u"p = 0.05096 \u2265 \u03B1 = 0.01: not significant at this level"},  // the comma filter's rule
        {"0.1", u"0.1", u"lower tail -1.33338\nupper tail 1.33338\nboth tails \u00B11.73961",
         u"p = 0.05096 < \u03B1 = 0.1: significant at this level"},
        {"0.999999", u"0.999999", u"lower tail 7.03649\nupper tail -7.03649\nboth tails \u00B11.27187e-06",
         u"p = 0.05096 < \u03B1 = 0.999999: significant at this level"},
        {"2", u"2", u"\u03B1 must be between 0 and 1", u""},
        {"", u"", u"\u03B1 must be between 0 and 1", u""},
        {"1e-10", u"1e-10", u"lower tail -13.3229\nupper tail 13.3229\nboth tails \u00B113.9264",
         u"p = 0.05096 \u2265 \u03B1 = 1e-10: not significant at this\nlevel"},  // broken to fit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        QLineEdit* box = qobject_cast<QLineEdit*>(widget(r.txt_alpha));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        const auto message = s.message_from([&] { QTest::keyClicks(box, row.typed); });
        EXPECT_FALSE(message);
        EXPECT_EQ(r.txt_alpha.text(), row.box);
        EXPECT_EQ(r.lbl_critical.caption(), row.critical);
        EXPECT_EQ(r.lbl_verdict.caption(), row.verdict);
        EXPECT_EQ(s.clipped_texts(), std::vector<std::string>{}) << "texts cut off";
        EXPECT_TRUE(r.visible());
    }

    // The level stays through Back and the next run.
    s.click(r.cmd_back);
    EXPECT_EQ(r.lbl_critical.caption(), u"");
    EXPECT_EQ(r.txt_alpha.text(), u"1e-10");
    s.enter(&forms::frm_initial::cmd_chi, "30", "1");
    s.click(s.main().cmd_run);
    EXPECT_EQ(r.lbl_critical.caption(), u"lower tail 1.57080e-20\nupper tail 41.8215");
}

TEST(ResultWindow, NewSelectionAfterBackBringsItsPicture)
{
    Session s;
    auto& w = s.main();
    s.click(w.cmd_gauss);
    s.click(w.cmd_run);
    s.click(s.result().cmd_back);
    s.click(w.cmd_chi);
    EXPECT_EQ(w.txt_datadfnum.text(), u"");
    EXPECT_EQ(s.result().pic_geral.picture_number(), 101);
    s.enter(&forms::frm_initial::cmd_chi, "3.84", "1");
    s.click(w.cmd_run);
    EXPECT_TRUE(s.result().visible());
    EXPECT_EQ(s.result().pic_geral.picture_number(), 101);
}

TEST(ResultWindow, ExitAndTheCloseBoxEndTheProgram)
{
    for (bool close_box : {false, true}) {
        Session s;
        s.click(s.main().cmd_gauss);
        s.click(s.main().cmd_run);
        if (close_box) widget(s.result())->close();
        else s.click(s.result().cmd_exit);
        EXPECT_EQ(s.ends, 1);
    }
}

TEST(ResultWindow, ControlsStandWhereTheLayoutPutsThem)
{
    Session s;
    s.click(s.main().cmd_chi);
    auto& r = s.result();
    EXPECT_EQ(widget(r)->windowTitle(), "Varendo");
    EXPECT_EQ(widget(r)->size(), QSize(812, 403));
    EXPECT_EQ(widget(r.pic_geral)->geometry(), QRect(16, 24, 377, 89));
    EXPECT_EQ(widget(r.lbl_graph)->geometry(), QRect(0, 120, 377, 25));
    EXPECT_EQ(widget(r.cmd_back)->geometry(), QRect(336, 144, 65, 25));
    EXPECT_EQ(widget(r.cmd_exit)->geometry(), QRect(336, 176, 65, 25));
    EXPECT_EQ(widget(r.lbl_exact)->geometry(), QRect(16, 215, 225, 85));
    EXPECT_EQ(widget(r.cmd_copy)->geometry(), QRect(336, 217, 65, 25));
    EXPECT_EQ(widget(r.lbl_alpha)->geometry(), QRect(16, 307, 20, 17));
    EXPECT_EQ(widget(r.txt_alpha)->geometry(), QRect(40, 303, 100, 25));
    EXPECT_EQ(widget(r.lbl_critical)->geometry(), QRect(152, 307, 259, 51));
    EXPECT_EQ(widget(r.lbl_verdict)->geometry(), QRect(16, 361, 395, 34));
    EXPECT_EQ(widget(r.lbl_note)->geometry(), QRect(416, 315, 380, 102));
    EXPECT_EQ(widget(r.cmd_copy_picture)->geometry(), QRect(304, 249, 97, 25));
    EXPECT_EQ(widget(r.pic_plot)->geometry(), QRect(416, 8, 380, 301));
    EXPECT_EQ(platform::qt::picture_of(r.pic_geral).size(), QSize(238, 64));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((widget(r)->geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST(ResultWindow, ClosingAWindowLeavesTheEventLoop)
{
    for (bool result_window : {false, true}) {
        SCOPED_TRACE(result_window);
        forms::Program program;
        platform::set_end_handler({});
        program.initial().show();
        QTimer::singleShot(0, [&] {
            program.initial().cmd_gauss_Click();  // creates the result window
            if (result_window) program.initial().cmd_run_Click();
            widget(result_window ? static_cast<platform::Form&>(program.result()) : program.initial())->close();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        watchdog.start(60000);  // only ends a hang; a loaded machine may be slow
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_FALSE(program.initial().visible());
        EXPECT_FALSE(program.result().visible());
        platform::set_end_handler([] {});
    }
}

namespace {
// Ink column spans of the P-value line as drawn, in window pixels, split where
// the gap is wider than two characters.
std::vector<std::pair<int, int>> drawn_fields(QWidget& window, const QRect& band)
{
    const QPixmap grabbed = window.grab(band);
    const QImage image = grabbed.toImage().scaled(band.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    std::vector<std::pair<int, int>> fields;
    int last_ink = -100;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height(); ++y) ink |= qGray(image.pixel(x, y)) < 96;
        if (!ink) continue;
        if (x - last_ink > 14) fields.push_back({x, x});
        fields.back().second = x;
        last_ink = x;
    }
    return fields;
}
}  // namespace

TEST(ResultWindow, EachFieldStandsUnderItsPanel)
{
    using Button = platform::CommandButton forms::frm_initial::*;
    struct Row { Button button; QString value, dfnum, dfden; std::vector<int> centres; };
    const Row rows[] = {
        {&forms::frm_initial::cmd_chi, "3.84", "1", "", {195}},
        {&forms::frm_initial::cmd_f, "3", "4", "20", {132, 258}},
        {&forms::frm_initial::cmd_gauss, "1.96", "", "", {59, 150, 241, 332}},
        {&forms::frm_initial::cmd_t, "2", "10", "", {139, 258}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value.toStdString());
        Session s;
        s.enter(r.button, r.value, r.dfnum, r.dfden);
        s.click(s.main().cmd_run);
        const auto fields = drawn_fields(*widget(s.result()), widget(s.result().lbl_graph)->geometry());
        ASSERT_EQ(fields.size(), r.centres.size());
        for (size_t k = 0; k < fields.size(); ++k) {
            // A field is ten 7-px characters: "P = 0.0000".
            const int left = r.centres[k] - 35, right = r.centres[k] + 35;
            EXPECT_GE(fields[k].first, left - 2) << k;
            EXPECT_LE(fields[k].second, right + 2) << k;
            EXPECT_NEAR((fields[k].first + fields[k].second + 1) / 2.0, r.centres[k], 2) << k;
        }
    }
}

TEST(ResultWindow, PictureStandsAtNaturalSizeInTheTopLeftCorner)
{
    for (const run::DistributionId id : run::all_distributions) {
        const int number = run::describe(id).picture;
        SCOPED_TRACE(number);
        Session s;
        s.click(s.main().cmd_chi);
        s.result().pic_geral.set_picture(number);
        const QImage source(QStringLiteral(VARENDO_SOURCE_DIR "/resources/%1.bmp").arg(number));
        const QImage drawn = widget(s.result().pic_geral)->grab().toImage();
        ASSERT_EQ(drawn.size(), QSize(377, 89));
        bool same = true;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const bool inside = x < source.width() && y < source.height();
                const QRgb expected = inside ? source.pixel(x, y) : qRgb(192, 192, 192);
                same &= (drawn.pixel(x, y) | 0xff000000) == expected;
            }
        EXPECT_TRUE(same);
    }
}

// The plot paints what it describes: dark where the statistic is marked, on
// screen and in the image Copy picture puts on the clipboard at twice its size.
TEST(ResultWindow, ThePlotPaintsAndCopiesAsAPicture)
{
    Session s;
    s.enter(&forms::frm_initial::cmd_t, "2.1", "17");
    s.click(s.main().cmd_run);
    const platform::Drawing& drawing = s.result().pic_plot.drawing();
    double marker = -1;
    for (const platform::Shape& shape : drawing.shapes)
        if (shape.kind == platform::Shape::Kind::line && shape.colour.red == charts::colours::statistic.red)
            marker = shape.points[0].x;
    ASSERT_GT(marker, 0);
    const QImage shown = widget(s.result().pic_plot)->grab().toImage();
    const QPoint at(int(marker), int(drawing.height / 2));
    EXPECT_LT(qGray(shown.pixel(at * shown.devicePixelRatio())), 128);
    EXPECT_GT(qGray(shown.pixel(at * shown.devicePixelRatio() + QPoint(40, 0))), 128);

    s.click(s.result().cmd_copy_picture);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(760, 602));
    EXPECT_LT(qGray(copied.pixel(at * 2)), 128);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
}
