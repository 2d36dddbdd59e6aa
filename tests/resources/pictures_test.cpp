// Pixel facts of the four pictures and the icon, read back from the files.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <set>

namespace {

const QString dir = QStringLiteral(VARENDO_SOURCE_DIR "/resources/");
const QRgb black = qRgb(0, 0, 0), grey = qRgb(192, 192, 192), light = qRgb(198, 198, 198);

QImage picture(int number) { return QImage(dir + QString::number(number) + ".bmp"); }

struct Range { int first, last; };
struct PanelFacts {
    QRect frame;          // inclusive corners
    int edge;             // top row of the bottom edge
    Range peak;           // columns at the peak height
    int peak_height;      // above the edge
    std::vector<Range> fills;
};
struct PictureFacts {
    int number;
    QSize size;
    std::vector<QRect> blank;  // all grey
    std::vector<PanelFacts> panels;
};

const PictureFacts facts[] = {
    {101, {238, 64}, {{0, 0, 136, 64}, {237, 0, 1, 64}, {0, 0, 238, 1}, {0, 63, 238, 1}},
     {{{136, 1, 101, 62}, 61, {151, 155}, 55, {{188, 235}}}}},
    {102, {300, 72}, {{0, 0, 73, 72}, {0, 0, 300, 25}},
     {{{73, 25, 108, 47}, 71, {91, 101}, 41, {{144, 179}}},
      {{191, 25, 109, 47}, 71, {209, 219}, 41, {{262, 298}}}}},
    {103, {359, 65}, {{0, 0, 13, 65}, {92, 0, 10, 65}, {181, 0, 10, 65}, {270, 0, 10, 65}},
     {{{13, 0, 79, 65}, 64, {52, 52}, 59, {{52, 73}}},
      {{102, 0, 79, 65}, 64, {141, 141}, 59, {{119, 161}}},
      {{191, 0, 79, 65}, 64, {230, 230}, 59, {{251, 268}}},
      {{280, 0, 79, 65}, 64, {319, 319}, 59, {{281, 297}, {339, 357}}}}},
    {104, {305, 71}, {{0, 0, 73, 71}, {0, 0, 305, 25}, {184, 25, 10, 46}},
     {{{73, 25, 111, 46}, 70, {128, 128}, 40, {{159, 182}}},
      {{194, 25, 111, 46}, 70, {249, 249}, 40, {{195, 218}, {280, 303}}}}},
};

bool is_black(const QImage& im, int x, int y) { return im.pixel(x, y) == black; }

// The topmost black pixel of an inner column, at or above the edge.
int top_of(const QImage& im, const PanelFacts& p, int x, int from_row)
{
    int y = from_row;
    while (y < p.edge && !is_black(im, x, y)) ++y;
    return y;
}

}  // namespace

TEST(Pictures, SizesMarginsAndColours)
{
    for (const PictureFacts& f : facts) {
        SCOPED_TRACE(f.number);
        const QImage im = picture(f.number);
        ASSERT_FALSE(im.isNull());
        EXPECT_EQ(im.size(), f.size);
        std::set<QRgb> colours;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) colours.insert(im.pixel(x, y));
        const std::set<QRgb> allowed = f.number == 103 ? std::set<QRgb>{black, grey, light}
                                                       : std::set<QRgb>{black, grey};
        EXPECT_EQ(colours, allowed);
        for (const QRect& blank : f.blank)
            for (int y = blank.top(); y <= blank.bottom(); ++y)
                for (int x = blank.left(); x <= blank.right(); ++x)
                    ASSERT_EQ(im.pixel(x, y), grey) << x << "," << y;
    }
}

TEST(Pictures, FramesPeaksAndFilledAreas)
{
    for (const PictureFacts& f : facts) {
        const QImage im = picture(f.number);
        for (const PanelFacts& p : f.panels) {
            SCOPED_TRACE(testing::Message() << f.number << " panel at " << p.frame.left());
            const QRect r = p.frame;
            for (int x = r.left(); x <= r.right(); ++x) {
                EXPECT_TRUE(is_black(im, x, r.top())) << x;
                for (int y = p.edge; y <= r.bottom(); ++y) EXPECT_TRUE(is_black(im, x, y)) << x;
            }
            for (int y = r.top(); y <= r.bottom(); ++y) {
                EXPECT_TRUE(is_black(im, r.left(), y)) << y;
                EXPECT_TRUE(is_black(im, r.right(), y)) << y;
            }
            // The F legends stand above the curve's tail; look below them.
            const int from_row = f.number == 102 ? r.top() + 11 : r.top() + 1;
            int highest = p.edge;
            std::vector<int> at_peak, heights;
            for (int x = r.left() + 1; x < r.right(); ++x) {
                const int top = top_of(im, p, x, f.number == 102 && x > r.left() + 40 ? from_row : r.top() + 1);
                if (top < highest) highest = top, at_peak.clear();
                if (top == highest) at_peak.push_back(x);
                heights.push_back(p.edge - top);

                bool in_fill = false;
                for (const Range& fill : p.fills) in_fill |= x >= fill.first && x <= fill.last;
                bool solid = true;
                for (int y = top; y < p.edge; ++y) solid &= is_black(im, x, y);
                if (in_fill) {
                    EXPECT_TRUE(solid) << "fill column " << x;
                } else if (p.edge - top >= 4) {
                    EXPECT_FALSE(solid) << "open column " << x;
                }
            }
            // One highest column, inside its range, on a single smooth hump:
            // rising to it, falling after it, never level for more than 3 px
            // near the top (a clipped, flat-topped curve fails here).
            EXPECT_EQ(p.edge - highest, p.peak_height);
            ASSERT_EQ(at_peak.size(), 1u) << at_peak.front() << "-" << at_peak.back();
            EXPECT_GE(at_peak.front(), p.peak.first);
            EXPECT_LE(at_peak.front(), p.peak.last);
            const size_t peak = size_t(at_peak.front() - (r.left() + 1));
            int run = 1;
            for (size_t i = 1; i < heights.size(); ++i) {
                if (i <= peak) EXPECT_GE(heights[i], heights[i - 1]) << "falls before the peak at " << i;
                else EXPECT_LE(heights[i], heights[i - 1]) << "rises after the peak at " << i;
                run = heights[i] == heights[i - 1] ? run + 1 : 1;
                if (heights[i] >= p.peak_height - 3) EXPECT_LE(run, 3) << "level near the top at " << i;
            }
        }
    }
}

TEST(Pictures, NormalPanelsAreLighterInside)
{
    const QImage im = picture(103);
    for (int left : {102, 191, 280}) {
        SCOPED_TRACE(left);
        EXPECT_EQ(im.pixel(left + 3, 3), light);
        EXPECT_EQ(im.pixel(left + 75, 3), light);
        EXPECT_EQ(im.pixel(left + 76, 3), grey);  // the two rightmost inner columns
        EXPECT_EQ(im.pixel(left + 77, 3), grey);
    }
    EXPECT_EQ(im.pixel(40, 3), grey);
}

TEST(Pictures, FLegendsStandInTheirCorners)
{
    const QImage im = picture(102);
    struct Box { int panel_left, panel_right; QRect within; };
    const Box boxes[] = {{73, 180, QRect(QPoint(136, 28), QPoint(176, 34))},
                         {191, 299, QRect(QPoint(254, 29), QPoint(291, 35))}};
    for (const Box& b : boxes) {
        QRect ink;
        for (int y = 26; y <= 40; ++y)
            for (int x = b.panel_left + 40; x < b.panel_right; ++x)
                if (is_black(im, x, y)) ink |= QRect(x, y, 1, 1);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_TRUE(b.within.contains(ink)) << ink.left() << "-" << ink.right() << " " << ink.top() << "-" << ink.bottom();
        EXPECT_EQ(ink.height(), 7);
    }
}

TEST(Pictures, StoredAsUncompressedBottomUp24BitBitmaps)
{
    for (const PictureFacts& f : facts) {
        SCOPED_TRACE(f.number);
        QFile file(dir + QString::number(f.number) + ".bmp");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray b = file.readAll();
        auto u32 = [&](int at) { return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
                                        quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24; };
        auto u16 = [&](int at) { return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8); };
        EXPECT_EQ(b.left(2), "BM");
        EXPECT_EQ(u32(14), 40u);                      // header size
        EXPECT_EQ(int(u32(18)), f.size.width());
        EXPECT_EQ(int(u32(22)), f.size.height());     // positive: bottom-up
        EXPECT_EQ(u16(28), 24);
        EXPECT_EQ(u32(30), 0u);                       // no compression
        EXPECT_EQ(u32(10), 54u);                      // no colour table
        const int row = (f.size.width() * 3 + 3) / 4 * 4;
        EXPECT_EQ(b.size(), 54 + row * f.size.height());
    }
}

TEST(Icon, ThreeImagesOfAWindow)
{
    QImageReader reader(dir + "varendo.ico");
    ASSERT_EQ(reader.imageCount(), 3);
    struct Entry { int size, colours; };
    const Entry entries[] = {{32, 2}, {32, 16}, {16, 16}};
    QFile file(dir + "varendo.ico");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(quint8(b[6 + 16 * i]), entries[i].size);
        EXPECT_EQ(quint8(b[6 + 16 * i + 2]), entries[i].colours);
        reader.jumpToImage(i);
        const QImage im = reader.read();
        EXPECT_EQ(im.size(), QSize(entries[i].size, entries[i].size));
        std::set<QRgb> colours;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) colours.insert(im.pixel(x, y));
        EXPECT_GE(colours.size(), 2u);
        EXPECT_LE(int(colours.size()), entries[i].colours + 1);  // + transparent
    }
}
