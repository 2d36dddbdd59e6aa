#pragma once
// A picture described in plain C++ for a DrawingBox to paint: filled
// polygons, lines and one-line texts in logical pixels (96 to the inch at
// scale 1), painted in their order. What to draw is decided once, above the
// window layer; each backend only paints these shapes, at the device's own
// resolution, so that they stay sharp at any scale.
#include <vector>

#include "platform/text.h"

namespace platform {

enum class Align { left, center, right };

struct Point {
    double x, y;
};

struct Colour {
    int red, green, blue;
};

struct Shape {
    enum class Kind { polygon, line, text };
    Kind kind = Kind::line;
    std::vector<Point> points;  // a polygon's corners; a line's points in turn; a text's anchor
    Colour colour{0, 0, 0};
    double width = 1;     // of a line, in logical pixels
    bool dashed = false;  // a line of dashes
    // A text: in "Courier New" at `size` points, its top at the anchor, which
    // lies at its left end, its middle or its right end as `align` says.
    Text text;
    Align align = Align::left;
    double size = 8;
    bool bold = false;
};

struct Drawing {
    double width = 0, height = 0;  // logical pixels
    Colour background{255, 255, 255};
    std::vector<Shape> shapes;
    Text words;  // what it shows, in a sentence or two, for a screen reader

    void polygon(std::vector<Point> corners, Colour colour)
    {
        Shape& s = shapes.emplace_back();
        s.kind = Shape::Kind::polygon;
        s.points = std::move(corners);
        s.colour = colour;
    }
    void line(std::vector<Point> points, Colour colour, double width = 1, bool dashed = false)
    {
        Shape& s = shapes.emplace_back();
        s.points = std::move(points);
        s.colour = colour;
        s.width = width;
        s.dashed = dashed;
    }
    void text(Point at, Text text, Align align, Colour colour, double size = 8, bool bold = false)
    {
        Shape& s = shapes.emplace_back();
        s.kind = Shape::Kind::text;
        s.points = {at};
        s.colour = colour;
        s.text = std::move(text);
        s.align = align;
        s.size = size;
        s.bold = bold;
    }
};

// The width the layout counts for a text: Courier New and the faces that
// stand in for it advance 0.6 of their size a character.
inline double text_width(const Text& text, double size) { return double(text.size()) * size * 0.6 * 96 / 72; }

}  // namespace platform
