#pragma once
// What the Qt backend keeps behind each control: its widget. Tests reach the
// widgets through widget() to drive them with Qt Test as a user would.
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>

#include "platform/controls.h"

namespace platform {

struct Control::Native {
    explicit Native(QWidget* w) : widget(w) {}
    ~Native() { delete widget; }  // a child first, its window last
    QWidget* widget;
    // What the layout asked for, to lay it out anew at another zoom.
    std::optional<Rect> twips;
    std::optional<Font> font;
    int width_twips = 0, height_twips = 0;  // a form's client area
    double zoom = 1;  // a form's: the zoom, or the largest step below it at which it fits its screen
};

namespace qt {

inline QWidget* widget(const Control& control) { return control.native().widget; }

template <class W>
W* widget_as(const Control& control)
{
    return static_cast<W*>(control.native().widget);
}

// Twips to pixels at a window's zoom: the pixels of 100 % (15 twips to one)
// grown by it, so that 200 % doubles each of them.
int pixels(int twips, double zoom);

// The zoom a control is drawn at: its window's.
double zoom_of(const Control& control);

// The picture a picture box shows, as loaded.
QPixmap picture_of(const PictureBox& box);

inline QString to_qstring(const Text& text) { return QString::fromStdU16String(text); }
inline Text to_text(const QString& text) { return text.toStdU16String(); }

}  // namespace qt
}  // namespace platform
