#include <QLabel>
// Checks that hold at every scale factor; ctest runs them again at 1.5 and 2.
#include <QFontInfo>
#include <QPushButton>

#include "support/session.h"

namespace {
using Button = platform::CommandButton forms::frm_initial::*;
const Button buttons[] = {&forms::frm_initial::cmd_chi, &forms::frm_initial::cmd_f,
                          &forms::frm_initial::cmd_gauss, &forms::frm_initial::cmd_t};
}  // namespace

// At every scale and zoom, with the inputs that write the longest texts.
TEST(HighDensity, NoCaptionOrLineIsClipped)
{
    struct Row { Button button; QString value, dfnum, dfden, alpha; };
    const Row rows[] = {
        {&forms::frm_initial::cmd_chi, "1e9", "1e9", "", "0.05"},
        {&forms::frm_initial::cmd_t, "2", "0.001", "", "1e-300"},
        {&forms::frm_initial::cmd_chi, "0.5", "0.001", "", "0.999999"},
        {&forms::frm_initial::cmd_gauss, "1e6", "", "", "0.000001"},
        {&forms::frm_initial::cmd_f, "abcdefghijklmnopqrstuvwxyz", "2,5", "17.5abc", "0.05"},
        {&forms::frm_initial::cmd_f, "1.96", "10", "20", "0.05"},
    };
    for (const double zoom : {1.0, 2.0}) {
        platform::set_zoom(zoom);
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << r.value.toStdString() << " zoom " << zoom);
            Session s;
            s.enter(r.button, r.value, r.dfnum, r.dfden);
            s.click(s.main().cmd_run);
            ASSERT_TRUE(s.result().visible());
            s.type(s.result().txt_alpha, r.alpha);
            EXPECT_EQ(s.clipped_texts(), std::vector<std::string>{});
        }
    }
    platform::set_zoom(1);
}

// Ctrl+plus steps both windows up to 200 %, every control with them, each
// window no further than the largest step at which it fits its screen; Ctrl+0
// brings them back.
TEST(HighDensity, ZoomKeysGrowBothWindowsAsFarAsTheScreenHolds)
{
    Session s;
    s.enter(&forms::frm_initial::cmd_t, "2.1", "17");
    QWidget* main = widget(s.main());
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    const QSize window = main->size(), result = widget(s.result())->size(), run = widget(s.main().cmd_run)->size();
    const QSize power = widget(s.program.power())->size();
    const int font = QFontInfo(widget(s.main().cmd_run)->font()).pixelSize();
    for (int step = 0; step < 3; ++step) QTest::keyClick(main, Qt::Key_Plus, Qt::ControlModifier);  // 125, 150, 200 %
    EXPECT_EQ(platform::zoom(), 2);
    const QRect area = main->screen()->availableGeometry();
    for (const auto& [w, before] :
         {std::pair{main, window}, {widget(s.result()), result}, {widget(s.program.power()), power}}) {
        // Grown by one of the steps up to 200 %, the next of which would not fit.
        const double grown = double(w->width()) / before.width();
        const double step = *std::min_element(std::begin(platform::zoom_steps), std::end(platform::zoom_steps),
                                              [&](double a, double b) { return std::fabs(a - grown) < std::fabs(b - grown); });
        const auto fits = [&](double at) { return before.width() * at <= area.width() && before.height() * at <= area.height(); };
        EXPECT_NEAR(w->width(), before.width() * step, 2);
        EXPECT_NEAR(w->height(), before.height() * step, 2);
        EXPECT_TRUE(step == 1 || fits(step)) << step;
        if (step < 2) {
            EXPECT_FALSE(fits(platform::next_zoom(step, 1))) << step;
        }
        if (w == main) {
            EXPECT_NEAR(widget(s.main().cmd_run)->width(), run.width() * step, 2);
            EXPECT_NEAR(QFontInfo(widget(s.main().cmd_run)->font()).pixelSize(), font * step, 1);
        }
    }
    QTest::keyClick(main, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(platform::zoom(), 1);
    EXPECT_EQ(main->size(), window);
}

TEST(HighDensity, PicturesStaySharp)
{
    const std::set<QRgb> picture_colours = {qRgb(0, 0, 0), qRgb(192, 192, 192), qRgb(198, 198, 198)};
    for (Button button : buttons) {
        Session s;
        s.click(s.main().*button);
        s.result().show();
        const QImage drawn = widget(s.result().pic_geral)->grab().toImage();
        EXPECT_EQ(drawn.devicePixelRatio(), widget(s.result())->devicePixelRatioF());
        std::set<QRgb> colours;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) colours.insert(drawn.pixel(x, y) | 0xff000000);
        for (QRgb c : colours) EXPECT_TRUE(picture_colours.count(c)) << std::hex << c;
    }
}
