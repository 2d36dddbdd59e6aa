// The distribution rows end to end: pick the distribution by its button, type
// the texts, click Run, read the P-value line or the message.
#include <algorithm>
#include <optional>

#include "support/expected_rows.h"
#include "support/session.h"

namespace {

platform::CommandButton forms::frm_initial::*button_of(run::DistributionId d)
{
    switch (d) {
    case run::DistributionId::chi_square: return &forms::frm_initial::cmd_chi;
    case run::DistributionId::normal: return &forms::frm_initial::cmd_gauss;
    case run::DistributionId::t: return &forms::frm_initial::cmd_t;
    case run::DistributionId::f: break;
    }
    return &forms::frm_initial::cmd_f;
}

std::optional<QString> q(const std::optional<std::u16string>& text)
{
    if (!text) return std::nullopt;
    return QString::fromStdU16String(*text);
}

}  // namespace

TEST(RunRows, EachRowThroughTheWindows)
{
    for (const expected::Row& r : expected::rows()) {
        SCOPED_TRACE(testing::Message() << "value=" << platform::to_utf8(r.value) << " dfnum="
                                        << platform::to_utf8(r.dfnum.value_or(u"<design>")) << " dfden="
                                        << platform::to_utf8(r.dfden.value_or(u"<design>")));
        Session s;
        forms::frm_initial& w = s.main();
        s.enter(button_of(r.distribution), QString::fromStdU16String(r.value), q(r.dfnum), q(r.dfden));
        const platform::Text typed[] = {w.txt_datavalue.text(), w.txt_datadfnum.text(), w.txt_datadfden.text()};

        const auto message = s.message_from([&] { s.click(w.cmd_run); });

        if (r.message.empty()) {
            EXPECT_FALSE(message) << platform::to_utf8(message.value_or(u""));
            EXPECT_FALSE(w.visible());
            EXPECT_TRUE(s.result().visible());
            EXPECT_EQ(s.result().lbl_graph.caption(), r.line);
            if (!r.exact.empty()) {
                EXPECT_EQ(s.result().lbl_exact.caption(), expected::localised(r.exact, Session::separator()));
            }
            if (!r.critical.empty()) {
                EXPECT_EQ(s.result().lbl_critical.caption(), expected::localised(r.critical, Session::separator()));
            }
            // What was read of a box not read in full, and the question as read.
            platform::Text note = s.result().lbl_note.caption();
            std::replace(note.begin(), note.end(), u'\n', u' ');  // broken into lines to fit
            EXPECT_EQ(note, expected::localised(r.note, Session::separator()));
            const platform::Text asked = expected::localised(r.asked, Session::separator());
            EXPECT_EQ(s.result().pic_plot.drawing().words.substr(0, asked.size()), asked);
            EXPECT_EQ(s.clipped_texts(), std::vector<std::string>{}) << "texts cut off";
        } else {
            EXPECT_EQ(message.value_or(u"<no message>"), expected::localised(r.message, Session::separator()));
            EXPECT_EQ(s.last_title, u"Varendo");
            EXPECT_TRUE(w.visible());
            EXPECT_FALSE(s.result().visible());
            EXPECT_EQ(s.result().lbl_graph.caption(), u"");
            EXPECT_EQ(s.result().lbl_exact.caption(), u"");
            EXPECT_EQ(w.txt_datavalue.text(), typed[0]);
            EXPECT_EQ(w.txt_datadfnum.text(), typed[1]);
            EXPECT_EQ(w.txt_datadfden.text(), typed[2]);
        }
        EXPECT_EQ(s.ends, 0);
    }
}
