#include <QLabel>
// Checks that hold at every scale factor; ctest runs them again at 1.5 and 2.
#include <QPushButton>

#include "support/session.h"

namespace {
using Button = platform::CommandButton forms::frm_initial::*;
const Button buttons[] = {&forms::frm_initial::cmd_chi, &forms::frm_initial::cmd_f,
                          &forms::frm_initial::cmd_gauss, &forms::frm_initial::cmd_t};
}  // namespace

TEST(HighDensity, NoCaptionOrLineIsClipped)
{
    for (Button button : buttons) {
        Session s;
        s.enter(button, "1.96", "10", "20");
        s.click(s.main().cmd_run);
        ASSERT_TRUE(s.result().visible());
        std::vector<QWidget*> controls;
        for (QWidget* window : {widget(s.main()), widget(s.result())})
            for (QWidget* child : window->findChildren<QWidget*>()) controls.push_back(child);
        for (QWidget* control : controls) {
            QString text;
            int room = control->width();
            if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
            if (auto* button = qobject_cast<QPushButton*>(control)) text = button->text(), room -= 4;
            if (auto* box = qobject_cast<QLineEdit*>(control)) text = box->text(), room -= box->hasFrame() ? 4 : 0;
            if (text.isEmpty()) continue;
            const QFontMetricsF metrics(control->font());
            const QStringList lines = text.split('\n');
            for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), room) << line.toStdString();
            EXPECT_LE(metrics.lineSpacing() * (lines.size() - 1) + metrics.height(), control->height())
                << text.toStdString();
        }
    }
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
