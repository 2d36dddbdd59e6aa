// Draws the four distribution pictures from their densities and the program
// icon, and writes them as 101.bmp ... 104.bmp, varendo.ico and its PNG copies
// varendo-16.png and varendo-32.png into the folder
// given as the only argument. The output is committed under resources/; a test
// checks that running this again gives the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
constexpr Rgb black{0, 0, 0};
constexpr Rgb grey{192, 192, 192};
constexpr Rgb light_grey{198, 198, 198};

struct Image {
    int width, height;
    std::vector<Rgb> pixels;
    Image(int w, int h) : width(w), height(h), pixels(size_t(w * h), grey) {}
    void set(int x, int y, Rgb c) { pixels[size_t(y * width + x)] = c; }
    void fill(int x0, int y0, int x1, int y1, Rgb c)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) set(x, y, c);
    }
};

// ---- densities -------------------------------------------------------------

double chi_square_density(double x, double nu)
{
    if (x <= 0) return 0;
    return std::exp((nu / 2 - 1) * std::log(x) - x / 2 - nu / 2 * std::log(2.0) - std::lgamma(nu / 2));
}

double f_density(double x, double d1, double d2)
{
    if (x <= 0) return 0;
    const double log_beta = std::lgamma(d1 / 2) + std::lgamma(d2 / 2) - std::lgamma((d1 + d2) / 2);
    return std::exp((d1 / 2) * std::log(d1 / d2) + (d1 / 2 - 1) * std::log(x) -
                    ((d1 + d2) / 2) * std::log(1 + d1 * x / d2) - log_beta);
}

double normal_density(double z) { return std::exp(-z * z / 2); }

double t_density(double t, double nu) { return std::pow(1 + t * t / nu, -(nu + 1) / 2); }

// ---- panels ----------------------------------------------------------------

struct Panel {
    int left, top, right, bottom;  // the frame, inclusive
    int bottom_thickness = 1;      // rows of the bottom edge, counted upwards
};

struct Curve {
    std::function<double(int column)> density;  // density at a column of the panel
    int peak_first, peak_last;                   // where the one highest column must lie
    int peak_height;                             // pixels above the bottom edge
    bool ends_on_edge;                           // both ends forced onto the bottom edge
};

void draw_frame(Image& image, const Panel& p)
{
    image.fill(p.left, p.top, p.right, p.top, black);
    image.fill(p.left, p.top, p.left, p.bottom, black);
    image.fill(p.right, p.top, p.right, p.bottom, black);
    image.fill(p.left, p.bottom - p.bottom_thickness + 1, p.right, p.bottom, black);
}

// Heights above the bottom edge for every inner column, scaled so that the
// density's highest column stands at the peak height and alone there: a
// smooth hump, never a plateau.
std::vector<int> curve_heights(const Panel& p, const Curve& c)
{
    const int first = p.left + 1, last = p.right - 1;
    int top = first;
    for (int x = first; x <= last; ++x)
        if (c.density(x) > c.density(top)) top = x;
    if (top < c.peak_first || top > c.peak_last) throw std::logic_error("the curve peaks outside its range");
    std::vector<int> h(size_t(last - first + 1));
    for (int x = first; x <= last; ++x) {
        const int height = int(std::lround(c.peak_height * c.density(x) / c.density(top)));
        h[size_t(x - first)] = x == top ? c.peak_height : std::min(height, c.peak_height - 1);
    }
    if (c.ends_on_edge) h.front() = h.back() = 0;
    return h;
}

// A stepped line joining each column halfway to its neighbours, thickened
// towards the area under the curve where it is steep.
void draw_curve(Image& image, const Panel& p, const Curve& c, const std::vector<std::pair<int, int>>& fills)
{
    const int edge = p.bottom - p.bottom_thickness + 1;  // the bottom edge's top row
    const std::vector<int> h = curve_heights(p, c);
    const int first = p.left + 1, n = int(h.size());
    auto row = [&](int i) { return edge - h[size_t(std::clamp(i, 0, n - 1))]; };

    for (const auto& [from, to] : fills)
        for (int x = from; x <= to; ++x) image.fill(x, row(x - first), x, edge, black);

    for (int i = 0; i < n; ++i) {
        const int y = row(i);
        // Halfway to each neighbour, rounded towards this column's own row.
        const int to_left = y + (row(i - 1) - y) / 2, to_right = y + (row(i + 1) - y) / 2;
        const int top = std::min({y, to_left, to_right});
        const int bottom = std::max({y, to_left, to_right});
        const int steepness = std::abs(row(i + 1) - row(i - 1)) / 2;
        const int thickness = steepness < 3 ? 1 : steepness < 8 ? 2 : 3;
        const int under = row(i + 1) < row(i - 1) ? 1 : -1;  // rising: under is to the right
        for (int k = 0; k < thickness; ++k) {
            const int x = first + i + k * under;
            if (x <= p.left || x >= p.right) continue;
            image.fill(x, top, x, std::min(bottom, edge), black);
        }
    }
}

// ---- the F legends: pixel lettering 7 rows high --------------------------

struct Glyph {
    int width;
    const char* rows[7];
};

const Glyph glyph_alpha{5, {".....", ".....", ".##.#", "#..#.", "#..#.", "#..#.", ".##.#"}};
const Glyph glyph_space{2, {"..", "..", "..", "..", "..", "..", ".."}};
const Glyph glyph_equals{4, {"....", "....", "####", "....", "####", "....", "...."}};
const Glyph glyph_point{1, {".", ".", ".", ".", ".", ".", "#"}};
const Glyph glyph_0{4, {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}};
const Glyph glyph_2{4, {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"}};
const Glyph glyph_5{4, {"####", "#...", "###.", "...#", "...#", "#..#", ".##."}};

const Glyph& glyph(char c)
{
    switch (c) {
    case 'a': return glyph_alpha;
    case '=': return glyph_equals;
    case '.': return glyph_point;
    case '0': return glyph_0;
    case '2': return glyph_2;
    case '5': return glyph_5;
    default: return glyph_space;
    }
}

int text_width(const std::string& text)
{
    int width = -1;
    for (char c : text) width += glyph(c).width + 1;
    return width;
}

// Writes the text ('a' stands for alpha) with its right end at column right.
void draw_legend(Image& image, const std::string& text, int right, int top)
{
    int x = right - text_width(text) + 1;
    for (char c : text) {
        const Glyph& g = glyph(c);
        for (int r = 0; r < 7; ++r)
            for (int k = 0; k < g.width; ++k)
                if (g.rows[r][k] == '#') image.set(x + k, top + r, black);
        x += g.width + 1;
    }
}

// ---- the four pictures -----------------------------------------------------

Image chi_square_picture()
{
    Image image(238, 64);
    const Panel panel{136, 1, 236, 62, 2};
    draw_frame(image, panel);
    // Six degrees of freedom; the 5 % point (12.592) falls on column 188.
    const double scale = (188 - 136) / 12.592;
    const Curve curve{[&](int x) { return chi_square_density((x - 136) / scale, 6); }, 151, 155, 55, true};
    draw_curve(image, panel, curve, {{188, 235}});
    return image;
}

Image f_picture()
{
    Image image(300, 72);
    // F with 10 and 20 degrees of freedom; the 5 % point (2.348) falls 71
    // columns right of the frame.
    const Panel panels[] = {{73, 25, 180, 71}, {191, 25, 299, 71}};
    for (const Panel& panel : panels) {
        const int left = panel.left;
        draw_frame(image, panel);
        const double scale = 71 / 2.348;
        const Curve curve{[&](int x) { return f_density((x - left) / scale, 10, 20); },
                          left + 18, left + 28, 41, false};
        draw_curve(image, panel, curve, {{left + 71, panel.right - 1}});
    }
    draw_legend(image, "a = 0.025", 176, 28);
    draw_legend(image, "a = 0.05", 291, 29);
    return image;
}

Image normal_picture()
{
    Image image(359, 65);
    const int lefts[] = {13, 102, 191, 280};
    // Panels 2 to 4 are a shade lighter inside, but for their two rightmost
    // inner columns; panel 1 only in a few columns and along its bottom row.
    for (int k = 1; k < 4; ++k) image.fill(lefts[k] + 1, 1, lefts[k] + 75, 63, light_grey);
    image.fill(14, 1, 16, 63, light_grey);
    image.fill(17, 63, 30, 63, light_grey);
    image.fill(74, 63, 87, 63, light_grey);

    // 1.96 standard deviations make 21 columns.
    const double scale = 21 / 1.96;
    const std::vector<std::pair<int, int>> fills[] = {
        {{52, 73}},
        {{119, 161}},
        {{251, 268}},
        {{281, 297}, {339, 357}},
    };
    for (int k = 0; k < 4; ++k) {
        const Panel panel{lefts[k], 0, lefts[k] + 78, 64};
        const int middle = lefts[k] + 39;
        draw_frame(image, panel);
        const Curve curve{[&](int x) { return normal_density((x - middle) / scale); }, middle, middle, 59, true};
        draw_curve(image, panel, curve, fills[k]);
    }
    return image;
}

Image t_picture()
{
    Image image(305, 71);
    // Three degrees of freedom; the one-sided 5 % point (2.353) falls 31
    // columns from the middle.
    const double scale = 31 / 2.353;
    // Upper tail on the left, both tails on the right, each under the field
    // of the line that measures it (1 - C first, then twice the tail).
    const std::vector<std::pair<int, int>> fills[] = {{{159, 182}}, {{195, 218}, {280, 303}}};
    const int lefts[] = {73, 194};
    for (int k = 0; k < 2; ++k) {
        const Panel panel{lefts[k], 25, lefts[k] + 110, 70};
        const int middle = lefts[k] + 55;
        draw_frame(image, panel);
        const Curve curve{[&](int x) { return t_density((x - middle) / scale, 3); }, middle, middle, 40, false};
        draw_curve(image, panel, curve, fills[k]);
    }
    return image;
}

// ---- files ----------------------------------------------------------------

void put16(std::string& out, unsigned v)
{
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}
void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER, 40 bytes.
void put_info_header(std::string& out, int width, int height, int bits, std::uint32_t image_size, int colours)
{
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, unsigned(bits));
    put32(out, 0);  // no compression
    put32(out, image_size);
    put32(out, 3780);  // 96 dpi in pixels per metre
    put32(out, 3780);
    put32(out, std::uint32_t(colours));
    put32(out, 0);
}

// 24 bits a pixel, no colour table, rows bottom-up padded to 4 bytes.
std::string bmp(const Image& image)
{
    const int row_size = (image.width * 3 + 3) / 4 * 4;
    const std::uint32_t data_size = std::uint32_t(row_size * image.height);
    std::string out = "BM";
    put32(out, 14 + 40 + data_size);
    put32(out, 0);
    put32(out, 14 + 40);
    put_info_header(out, image.width, image.height, 24, data_size, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.pixels[size_t(y * image.width + x)];
            row += char(c.b);
            row += char(c.g);
            row += char(c.r);
        }
        row.resize(size_t(row_size), '\0');
        out += row;
    }
    return out;
}

// ---- the icon: a generic window -------------------------------------------

// The 16 colours of the classic palette; the icon uses a few.
const Rgb palette16[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},  {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
enum : int { ink = 0, navy = 4, silver = 7, dark = 8, white = 15 };

// Palette indices of a window: frame, title bar with a close box, client area
// with two lines of text. Two-colour icons map every index to black or white.
std::vector<int> window_symbol(int size)
{
    std::vector<int> px(size_t(size * size), -1);  // -1: transparent
    auto set = [&](int x, int y, int c) { px[size_t(y * size + x)] = c; };
    const int m = size == 32 ? 2 : 1;           // margin
    const int last = size - 1 - m;
    const int bar = size == 32 ? 7 : 4;         // title bar rows below the top edge
    for (int y = m; y <= last; ++y)
        for (int x = m; x <= last; ++x) {
            const bool edge = x == m || y == m || x == last || y == last;
            set(x, y, edge ? ink : y <= m + bar ? navy : white);
        }
    // Close box in the title bar.
    const int box = size == 32 ? 4 : 2;
    for (int y = m + 2; y < m + 2 + box; ++y)
        for (int x = last - 1 - box; x < last - 1; ++x) set(x, y, silver);
    // Lines of text in the client area.
    const int lines = size == 32 ? 3 : 2;
    for (int k = 0; k < lines; ++k) {
        const int y = m + bar + (size == 32 ? 5 : 3) + k * (size == 32 ? 5 : 3);
        if (y >= last - 1) break;
        for (int x = m + 3; x <= last - (k == lines - 1 ? size / 3 : 3); ++x) set(x, y, dark);
    }
    return px;
}

struct IconImage {
    int size, bits;
    std::string data;  // header, colour table, XOR bitmap, AND mask
};

IconImage icon_image(int size, int bits)
{
    const std::vector<int> px = window_symbol(size);
    const int colours = 1 << bits;
    const int xor_row = (size * bits + 31) / 32 * 4;
    const int and_row = (size + 31) / 32 * 4;
    std::string out;
    put_info_header(out, size, size * 2, bits, std::uint32_t((xor_row + and_row) * size), colours);
    for (int i = 0; i < colours; ++i) {
        const Rgb c = bits == 1 ? (i == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255}) : palette16[i];
        out += char(c.b);
        out += char(c.g);
        out += char(c.r);
        out += '\0';
    }
    auto index = [&](int x, int y) {
        const int c = px[size_t(y * size + x)];
        if (c < 0) return 0;
        if (bits == 4) return c;
        return c == white || c == silver ? 1 : 0;  // two colours: light parts white
    };
    for (int y = size - 1; y >= 0; --y) {
        std::string row(size_t(xor_row), '\0');
        for (int x = 0; x < size; ++x) {
            const int v = index(x, y);
            if (bits == 4) row[size_t(x / 2)] = char(row[size_t(x / 2)] | (x % 2 ? v : v << 4));
            else row[size_t(x / 8)] = char(row[size_t(x / 8)] | (v << (7 - x % 8)));
        }
        out += row;
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(size_t(and_row), '\0');
        for (int x = 0; x < size; ++x)
            if (px[size_t(y * size + x)] < 0) row[size_t(x / 8)] = char(row[size_t(x / 8)] | (1 << (7 - x % 8)));
        out += row;
    }
    return {size, bits, out};
}

std::string ico()
{
    const IconImage images[] = {icon_image(32, 1), icon_image(32, 4), icon_image(16, 4)};
    std::string out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, 3);
    std::uint32_t offset = 6 + 16 * 3;
    for (const IconImage& im : images) {
        out += char(im.size);
        out += char(im.size);
        out += char(1 << im.bits);
        out += '\0';
        put16(out, 1);
        put16(out, unsigned(im.bits));
        put32(out, std::uint32_t(im.data.size()));
        put32(out, offset);
        offset += std::uint32_t(im.data.size());
    }
    for (const IconImage& im : images) out += im.data;
    return out;
}

// ---- PNG copies of the icon, for desktop themes -------------------------

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xffffffffu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put32_big(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out += char((v >> shift) & 0xff);
}

void chunk(std::string& out, const char* type, const std::string& data)
{
    put32_big(out, std::uint32_t(data.size()));
    const std::string body = type + data;
    out += body;
    put32_big(out, crc32(body));
}

// RGBA, 8 bits a channel, deflate in stored blocks: small images need no more.
std::string png(int size)
{
    const std::vector<int> px = window_symbol(size);
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < size; ++x) {
            const int c = px[size_t(y * size + x)];
            const Rgb rgb = c < 0 ? Rgb{0, 0, 0} : palette16[c];
            raw += char(rgb.r);
            raw += char(rgb.g);
            raw += char(rgb.b);
            raw += char(c < 0 ? 0 : 255);
        }
    }
    std::string z = "\x78\x01";
    for (size_t at = 0; at < raw.size(); at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z += char(at + n == raw.size() ? 1 : 0);
        put16(z, unsigned(n));
        put16(z, unsigned(~n & 0xffff));
        z += raw.substr(at, n);
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
    put32_big(z, b << 16 | a);

    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32_big(header, std::uint32_t(size));
    put32_big(header, std::uint32_t(size));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", "");
    return out;
}

bool write(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = write(dir + "/101.bmp", bmp(chi_square_picture())) &&
                    write(dir + "/102.bmp", bmp(f_picture())) &&
                    write(dir + "/103.bmp", bmp(normal_picture())) &&
                    write(dir + "/104.bmp", bmp(t_picture())) && write(dir + "/varendo.ico", ico()) &&
                    write(dir + "/varendo-16.png", png(16)) && write(dir + "/varendo-32.png", png(32));
    if (!ok) std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
