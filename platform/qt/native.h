#pragma once
// What the Qt backend keeps behind each control: its widget. Tests reach the
// widgets through widget() to drive them with Qt Test as a user would.
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "platform/controls.h"

namespace platform {

struct Control::Native {
    explicit Native(QWidget* w) : widget(w) {}
    ~Native() { delete widget; }  // a child first, its window last
    QWidget* widget;
};

namespace qt {

inline QWidget* widget(const Control& control) { return control.native().widget; }

template <class W>
W* widget_as(const Control& control)
{
    return static_cast<W*>(control.native().widget);
}

// The picture a picture box shows, as loaded.
QPixmap picture_of(const PictureBox& box);

inline QString to_qstring(const Text& text) { return QString::fromStdU16String(text); }
inline Text to_text(const QString& text) { return text.toStdU16String(); }

}  // namespace qt
}  // namespace platform
