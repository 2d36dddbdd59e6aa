// Ten thousand random events through the real windows, with the program's
// invariants checked after each. VARENDO_RANDOM_SEED picks another sequence.
#include <QRegularExpression>
#include <random>

#include "support/session.h"

namespace {

bool well_formed_line(const QString& line)
{
    static const QString v = QStringLiteral("(0\\.\\d{4}|1\\.0000)");
    static const QRegularExpression shapes[] = {
        QRegularExpression("^  P = " + v + "$"),
        QRegularExpression("^  P = " + v + "   P = " + v + "   P = " + v + "   P = " + v + "$"),
        QRegularExpression("^   P = " + v + "       P = " + v + "$"),
        QRegularExpression("^  P = " + v + "        P = " + v + "$"),
    };
    for (const auto& shape : shapes)
        if (shape.match(line).hasMatch()) return true;
    return false;
}

}  // namespace

TEST(RandomClicks, InvariantsHoldAfterEveryEvent)
{
    const unsigned seed = qEnvironmentVariableIsSet("VARENDO_RANDOM_SEED")
                              ? unsigned(qEnvironmentVariableIntValue("VARENDO_RANDOM_SEED"))
                              : 20261207u;
    std::mt19937 random(seed);
    auto chance = [&](int n) { return int(random() % unsigned(n)); };

    Session s;
    auto& w = s.main();
    QLineEdit* boxes[] = {platform::qt::widget_as<QLineEdit>(w.txt_datavalue), platform::qt::widget_as<QLineEdit>(w.txt_datadfnum),
                          platform::qt::widget_as<QLineEdit>(w.txt_datadfden)};
    QString expected[3] = {boxes[0]->text(), boxes[1]->text(), boxes[2]->text()};
    platform::CommandButton* selections[] = {&w.cmd_chi, &w.cmd_gauss, &w.cmd_t, &w.cmd_f};
    bool chosen = false;
    int runs = 0, lines = 0, messages = 0, abouts = 0, backs = 0, typings = 0;

    const int events = 10000;
    for (int event = 0; event < events; ++event) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", event " << event);
        const bool result_shown = s.program.has_result() && s.result().visible();
        std::string what;
        if (result_shown) {
            what = "Back";
            s.click(s.result().cmd_back);
            for (QString& e : expected) e.clear();
            ++backs;
        } else {
            const int pick = chance(100);
            if (pick < 14) {
                platform::CommandButton* button = selections[chance(4)];
                what = "select " + platform::to_utf8(button->caption());
                s.click(*button);
                chosen = true;
            } else if (pick < 30) {
                what = "Run";
                const auto message = s.message_from([&] { s.click(w.cmd_run); });
                runs += w.cmd_run.enabled();
                messages += message.has_value();
                lines += s.program.has_result() && s.result().visible();
            } else if (pick < 32) {
                what = "About";
                EXPECT_TRUE(s.message_from([&] { s.click(w.cmd_about); }));
                ++abouts;
            } else {
                std::vector<int> shown;
                for (int k = 0; k < 3; ++k)
                    if (boxes[k]->isVisible()) shown.push_back(k);
                if (shown.empty()) continue;
                const int k = shown[size_t(chance(int(shown.size())))];
                if (pick < 85) {
                    static const QString alphabet = QStringLiteral("0123456789012345678901234567890.,.,-+ eEax");
                    QString keys;
                    for (int n = 1 + chance(6); n > 0; --n) keys += alphabet[chance(int(alphabet.size()))];
                    what = "type '" + keys.toStdString() + "'";
                    QTest::keyClicks(boxes[k], keys);
                } else {
                    const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                            Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
                    what = "key";
                    if (chance(5) == 0) QTest::keyClick(boxes[k], Qt::Key_A, Qt::ControlModifier);
                    else QTest::keyClick(boxes[k], keys[chance(6)]);
                }
                expected[k] = boxes[k]->text();
                ++typings;
            }
        }
        SCOPED_TRACE(what);

        const bool main_shown = w.visible();
        const bool result_now = s.program.has_result() && s.result().visible();
        ASSERT_NE(main_shown, result_now) << "exactly one window is visible";
        ASSERT_EQ(w.cmd_run.enabled(), chosen) << "Run is disabled only before the first selection";
        for (int k = 0; k < 3; ++k) ASSERT_EQ(boxes[k]->text(), expected[k]) << "box " << k;
        if (s.program.has_result()) {
            const QString line = to_qstring(s.result().lbl_graph.caption());
            if (result_now) ASSERT_TRUE(well_formed_line(line)) << line.toStdString();
            else ASSERT_TRUE(line.isEmpty()) << line.toStdString();
        }
        ASSERT_EQ(s.ends, 0);
    }
    RecordProperty("runs", runs);
    RecordProperty("lines", lines);
    RecordProperty("messages", messages);
    std::printf("%d events: %d typings, %d runs (%d lines, %d messages), %d About, %d Back\n", events,
                typings, runs, lines, messages, abouts, backs);
    EXPECT_GT(lines, 100);
    EXPECT_GT(messages, 100);
}
