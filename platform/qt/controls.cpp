// The window layer over Qt 6 Widgets.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/backend.h"
#include "platform/guard.h"
#include "platform/qt/native.h"
#include "platform/shared.h"

namespace platform {

using qt::to_qstring;
using qt::to_text;

namespace {

const QColor window_grey{shared::window_grey.red, shared::window_grey.green, shared::window_grey.blue};

double current_zoom = 1;

// Every control made, to lay them out anew when the zoom changes.
std::vector<Control*>& all_controls()
{
    static std::vector<Control*> all;
    return all;
}

// The zoom a widget is drawn at: that of the window it lies in.
double form_zoom(const QWidget* w)
{
    const QVariant zoom = w->window()->property("varendo_zoom");
    return zoom.isValid() ? zoom.toDouble() : current_zoom;
}

void fit_to_screen(Form& form);

// Every window made, to fit each to its screen when the zoom changes.
std::vector<Form*>& all_forms()
{
    static std::vector<Form*> all;
    return all;
}

void set_grey_background(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, window_grey);
    palette.setColor(QPalette::Base, window_grey);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

Qt::Alignment qt_alignment(Align align)
{
    switch (align) {
    case Align::left: return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::right: break;
    }
    return Qt::AlignRight | Qt::AlignVCenter;
}

// The window icon as PNG, which Qt reads without loading an image plugin (the
// .ico would cost a plugin scan at every start); the .ico's 16-colour images.
QIcon program_icon()
{
    static const QIcon icon = [] {
        QIcon both;
        both.addFile(QStringLiteral(":/icons/varendo-16.png"), QSize(16, 16));
        both.addFile(QStringLiteral(":/icons/varendo-32.png"), QSize(32, 32));
        return both;
    }();
    return icon;
}

class FormWidget : public QWidget {
public:
    explicit FormWidget(Form& form) : form_(form)
    {
        // Ctrl+plus, Ctrl+minus, Ctrl+0, on the main keys and the keypad.
        const std::pair<QKeySequence, int> keys[] = {
            {QKeySequence::ZoomIn, 1},
            {QKeySequence(Qt::CTRL | Qt::Key_Equal), 1},
            {QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)), 1},
            {QKeySequence::ZoomOut, -1},
            {QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus)), -1},
            {QKeySequence(Qt::CTRL | Qt::Key_0), 0},
            {QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_0)), 0},
        };
        for (const auto& [sequence, direction] : keys) {
            auto* shortcut = new QShortcut(sequence, this);
            shortcut->setContext(Qt::WindowShortcut);
            QObject::connect(shortcut, &QShortcut::activated, this, [this, direction = direction] {
                guarded(&form_, [direction] { set_zoom(next_zoom(zoom(), direction)); });
            });
        }
    }
    std::vector<QLine> lines;  // twips
    std::vector<int> rules;    // twips from the top

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
        const double zoom = form_zoom(this);
        const auto twips = [zoom](int t) { return qt::pixels(t, zoom); };
        for (const QLine& line : lines)
            painter.drawLine(twips(line.x1()), twips(line.y1()), twips(line.x2()), twips(line.y2()));
        const auto pen = [](shared::Rgb c) { return QPen(QColor(c.red, c.green, c.blue), 0); };
        for (int rule : rules) {
            const int y = twips(rule);
            painter.setPen(pen(shared::rule_shadow));
            painter.drawLine(0, y, width() - 1, y);
            painter.setPen(pen(shared::rule_light));
            painter.drawLine(0, y + 1, width() - 1, y + 1);
        }
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Copy) && form_.copy_key()) return;
        QWidget::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        guarded(&form_, [this] {
            if (form_.on_close) form_.on_close();
        });
    }
    // As the program shows the window; a window restored by the user gets
    // its own focus back from Qt.
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        // The frame is known now: a window that does not fit with it steps down.
        guarded(&form_, [this] { fit_to_screen(form_); });
        if (!event->spontaneous()) guarded(&form_, [this] { form_.focus_first(); });
    }

private:
    Form& form_;
};

class LineEdit : public QLineEdit {
public:
    LineEdit(Form& form, TextBox& box) : QLineEdit(qt::widget(form)), form_(form), box_(box) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        // With nothing selected, Ctrl+C goes on to the window, as a key the
        // box does not use.
        if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
            event->ignore();
            return;
        }
        const QString typed = event->text();
        if (!box_.on_key_press || typed.size() != 1 || !typed[0].isPrint()) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        char16_t code = typed[0].unicode();
        // A filter that failed lets nothing in.
        if (!guarded(&form_, [&] { box_.on_key_press(code); }) || code == 0) return;
        if (code == typed[0].unicode()) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        const QChar replaced(code);
        QKeyEvent changed(event->type(), replaced.toUpper().unicode(), event->modifiers(), QString(replaced),
                          event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&changed);
    }

private:
    Form& form_;
    TextBox& box_;
};

// Enter on a focused button presses it, as Space does; there is still no
// default button, so Enter in a box presses nothing.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const Qt::KeyboardModifiers others = event->modifiers() & ~Qt::KeypadModifier;
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && others == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// A picture grows with the zoom as blocks of its pixels, never smoothed.
class PictureWidget : public QWidget {
public:
    using QWidget::QWidget;
    QPixmap picture;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QSize size = picture.size() / picture.devicePixelRatio();
        const double zoom = form_zoom(this);
        painter.drawPixmap(QRectF(0, 0, size.width() * zoom, size.height() * zoom), picture, QRectF(picture.rect()));
    }
};

QColor qt_colour(Colour c) { return QColor(c.red, c.green, c.blue); }

// A drawing's shapes in logical pixels; the painter's device scales them to
// its own pixels, so that lines and letters are drawn at full resolution.
void paint(QPainter& painter, const Drawing& drawing)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(0, 0, drawing.width, drawing.height), qt_colour(drawing.background));
    for (const Shape& s : drawing.shapes) {
        QPolygonF points;
        for (const Point& p : s.points) points << QPointF(p.x, p.y);
        switch (s.kind) {
        case Shape::Kind::polygon:
            painter.setPen(Qt::NoPen);
            painter.setBrush(qt_colour(s.colour));
            painter.drawPolygon(points);
            break;
        case Shape::Kind::line: {
            QPen pen(qt_colour(s.colour), s.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            if (s.dashed) pen.setDashPattern({4 / s.width, 3 / s.width});
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(points);
            break;
        }
        case Shape::Kind::text: {
            QFont font(to_qstring(courier(s.size, s.bold).face));
            font.setStyleHint(QFont::TypeWriter);
            font.setPointSizeF(s.size);
            font.setBold(s.bold);
            painter.setFont(font);
            painter.setPen(qt_colour(s.colour));
            const double wide = 4000;
            const QPointF at = points.value(0);
            QRectF box(at.x(), at.y(), wide, wide);
            Qt::Alignment h = Qt::AlignLeft;
            if (s.align == Align::center) box.moveLeft(at.x() - wide / 2), h = Qt::AlignHCenter;
            if (s.align == Align::right) box.moveLeft(at.x() - wide), h = Qt::AlignRight;
            painter.drawText(box, int(h | Qt::AlignTop) | Qt::TextDontClip, to_qstring(s.text));
            break;
        }
        }
    }
}

class DrawingWidget : public QWidget {
public:
    using QWidget::QWidget;
    const Drawing* drawing = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!drawing) return;
        QPainter painter(this);
        const double zoom = form_zoom(this);
        painter.scale(zoom, zoom);  // shapes, not pixels: sharp at any zoom
        paint(painter, *drawing);
    }
};

// Both picture boxes are one picture to a screen reader, named in words.
QAccessibleInterface* picture_accessible(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (dynamic_cast<PictureWidget*>(widget) || dynamic_cast<DrawingWidget*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

void install_accessible_pictures()
{
    static const bool done = [] {
        QAccessible::installFactory(picture_accessible);
        return true;
    }();
    (void)done;
}

QWidget* parent_widget(Form& form) { return qt::widget(form); }

}  // namespace

// ---- every control ---------------------------------------------------------

Control::Control(std::unique_ptr<Native> native) : native_(std::move(native)) { all_controls().push_back(this); }
Control::~Control()
{
    std::erase(all_controls(), this);
    std::erase_if(all_forms(), [this](const Form* f) { return static_cast<const Control*>(f) == this; });
}

int qt::pixels(int twips, double zoom) { return int(std::lround(((twips + 7) / 15) * zoom)); }
double qt::zoom_of(const Control& control) { return form_zoom(control.native().widget); }

void Control::place(Rect r)
{
    native_->twips = r;
    const double zoom = qt::zoom_of(*this);
    native_->widget->setGeometry(qt::pixels(r.left, zoom), qt::pixels(r.top, zoom), qt::pixels(r.width, zoom),
                                 qt::pixels(r.height, zoom));
}

void Control::set_font(const Font& f)
{
    native_->font = f;
    QFont font(to_qstring(f.face));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(f.points * qt::zoom_of(*this));
    font.setBold(f.bold);
    // Whole-pixel advances: 9 pt bold then steps 7 px a character at 96 dpi,
    // which the P-value line's blanks rely on to stand under the panels.
    font.setHintingPreference(QFont::PreferFullHinting);
    native_->widget->setFont(font);
}

void Control::set_visible(bool visible) { native_->widget->setVisible(visible); }
bool Control::visible() const { return native_->widget->isVisible(); }
void Control::set_enabled(bool enabled) { native_->widget->setEnabled(enabled); }
bool Control::enabled() const { return native_->widget->isEnabled(); }
void Control::set_focus() { native_->widget->setFocus(); }
// The control keys would go to in its window, active or not, as a window
// that Qt has not activated yet (offscreen, or behind another) still has one.
bool Control::has_focus() const
{
    const QWidget* w = native_->widget;
    return w->isVisible() && w->window()->focusWidget() == w;
}
void Control::raise() { native_->widget->raise(); }

// ---- windows ---------------------------------------------------------------

Form::Form(int width_twips, int height_twips) : Control(std::make_unique<Native>(new FormWidget(*this)))
{
    QWidget* w = native_->widget;
    w->setWindowTitle(QStringLiteral("Varendo"));
    w->setWindowIcon(program_icon());
    w->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint);
    native_->width_twips = width_twips;
    native_->height_twips = height_twips;
    all_forms().push_back(this);
    fit_to_screen(*this);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, window_grey);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        w->setGeometry(QRect(area.center() - QPoint(w->width() / 2, w->height() / 2), w->size()));
    }
}

void Form::add_line(int x1, int y1, int x2, int y2)
{
    static_cast<FormWidget*>(native_->widget)->lines.emplace_back(x1, y1, x2, y2);
}

void Form::add_rule(int y) { static_cast<FormWidget*>(native_->widget)->rules.push_back(y); }

void Form::apply_tab_order()
{
    const std::vector<Control*>& order = tab_order();
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(qt::widget(*order[i - 1]), qt::widget(*order[i]));
}

// ---- controls ----------------------------------------------------------------

Label::Label(Form& parent) : Control(std::make_unique<Native>(new QLabel(parent_widget(parent))))
{
    set_grey_background(native_->widget);
    native_->widget->setFocusPolicy(Qt::NoFocus);
    qt::widget_as<QLabel>(*this)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    qt::widget_as<QLabel>(*this)->setTextFormat(Qt::PlainText);
}

Text Label::caption() const { return to_text(qt::widget_as<QLabel>(*this)->text()); }
void Label::set_caption(const Text& caption) { qt::widget_as<QLabel>(*this)->setText(to_qstring(caption)); }
void Label::set_align(Align align)
{
    // A label's caption starts at its top, as a one-line caption does.
    const Qt::Alignment h = qt_alignment(align) & Qt::AlignHorizontal_Mask;
    qt::widget_as<QLabel>(*this)->setAlignment(h | Qt::AlignTop);
}
void Label::set_buddy(TextBox& box) { qt::widget_as<QLabel>(*this)->setBuddy(qt::widget(box)); }

TextBox::TextBox(Form& parent) : Control(std::make_unique<Native>(new LineEdit(parent, *this)))
{
    QObject::connect(qt::widget_as<QLineEdit>(*this), &QLineEdit::textChanged, [this, &parent] {
        guarded(&parent, [this] {
            if (on_change) on_change();
        });
    });
}

Text TextBox::text() const { return to_text(qt::widget_as<QLineEdit>(*this)->text()); }
void TextBox::set_text(const Text& text) { qt::widget_as<QLineEdit>(*this)->setText(to_qstring(text)); }
void TextBox::set_align(Align align) { qt::widget_as<QLineEdit>(*this)->setAlignment(qt_alignment(align)); }
bool TextBox::has_selection() const { return qt::widget_as<QLineEdit>(*this)->hasSelectedText(); }
void TextBox::set_accessible_name(const Text& name) { native_->widget->setAccessibleName(to_qstring(name)); }
void TextBox::set_plain()
{
    qt::widget_as<QLineEdit>(*this)->setFrame(false);
    set_grey_background(native_->widget);
}

CommandButton::CommandButton(Form& parent, const Text& caption)
    : Control(std::make_unique<Native>(new PushButton(to_qstring(caption), parent_widget(parent))))
{
    auto* button = qt::widget_as<QPushButton>(*this);
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this, &parent] {
        guarded(&parent, [this] {
            if (on_click) on_click();
        });
    });
}

Text CommandButton::caption() const { return to_text(qt::widget_as<QPushButton>(*this)->text()); }
void CommandButton::click() { qt::widget_as<QPushButton>(*this)->click(); }
// Checkable, so that Qt draws it sunk and tells a screen reader "checked";
// it is checked only where the program says, whatever a click toggles.
void CommandButton::set_pressed(bool pressed)
{
    auto* button = qt::widget_as<QPushButton>(*this);
    button->setCheckable(true);
    button->setChecked(pressed);
}
bool CommandButton::pressed() const { return qt::widget_as<QPushButton>(*this)->isChecked(); }

PictureBox::PictureBox(Form& parent) : Control(std::make_unique<Native>(new PictureWidget(parent_widget(parent))))
{
    install_accessible_pictures();
    set_grey_background(native_->widget);
    native_->widget->setFocusPolicy(Qt::NoFocus);
}

void PictureBox::set_description(const Text& words) { native_->widget->setAccessibleName(to_qstring(words)); }

DrawingBox::DrawingBox(Form& parent) : Control(std::make_unique<Native>(new DrawingWidget(parent_widget(parent))))
{
    install_accessible_pictures();
    native_->widget->setFocusPolicy(Qt::NoFocus);
    qt::widget_as<DrawingWidget>(*this)->drawing = &drawing_;
}

void DrawingBox::set_drawing(Drawing drawing)
{
    drawing_ = std::move(drawing);
    QWidget* w = native_->widget;
    w->setAccessibleName(to_qstring(drawing_.words));
    w->update();
}

void PictureBox::set_picture(int resource_number)
{
    QPixmap picture(QStringLiteral(":/bitmaps/%1.bmp").arg(resource_number));
    if (picture.isNull()) throw shared::MissingPicture(resource_number);
    auto* w = qt::widget_as<PictureWidget>(*this);
    w->picture = std::move(picture);
    number_ = resource_number;
    w->update();
}

QPixmap qt::picture_of(const PictureBox& box) { return qt::widget_as<PictureWidget>(box)->picture; }

// ---- services ----------------------------------------------------------------

void message_box(Form* parent, const Text& prompt, const Text& title, BoxIcon icon)
{
    QString text = to_qstring(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == BoxIcon::warning ? QMessageBox::Warning : QMessageBox::NoIcon, to_qstring(title), text,
                    QMessageBox::Ok, parent ? qt::widget(*parent) : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

double zoom() { return current_zoom; }

namespace {

// The window at the zoom, or at the largest step below it at which it fits
// its screen's free area, frame and all: a window is never zoomed past the
// screen (at 100 % it stays as it is). Its controls are laid out anew where
// that changes its size.
void fit_to_screen(Form& form)
{
    Control::Native& n = form.native();
    QWidget* w = n.widget;
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QSize frame = w->frameGeometry().size() - w->size();
    double fitted = 1;
    for (const double step : zoom_steps) {
        if (step > current_zoom) break;
        const QSize size(qt::pixels(n.width_twips, step) + frame.width(), qt::pixels(n.height_twips, step) + frame.height());
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, size.width(), size.height());
        if (step > 1 && (size.width() > area.width() || size.height() > area.height())) break;
        fitted = step;
    }
    const bool changed = !w->property("varendo_zoom").isValid() || n.zoom != fitted;
    n.zoom = fitted;
    w->setProperty("varendo_zoom", fitted);
    w->setFixedSize(qt::pixels(n.width_twips, fitted), qt::pixels(n.height_twips, fitted));
    if (!changed) return;
    for (Control* c : all_controls()) {
        Control::Native& child = c->native();
        if (child.width_twips != 0 || child.widget->window() != w) continue;
        if (child.twips) c->place(*child.twips);
        if (child.font) c->set_font(*child.font);
    }
    w->update();
}

}  // namespace

// Every window fitted to its screen at the new zoom; each keeps its top left
// corner where it can, and stays on its screen.
void set_zoom(double factor)
{
    current_zoom = std::clamp(factor, 1.0, 3.0);
    for (Form* form : all_forms()) {
        fit_to_screen(*form);
        QWidget* w = form->native().widget;
        if (const QScreen* screen = w->screen()) {
            const QRect area = screen->availableGeometry();
            QPoint at = w->pos();
            at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - w->frameGeometry().width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - w->frameGeometry().height())));
            w->move(at);
        }
    }
}

char16_t decimal_separator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? u'.' : point.front().unicode();
}

void backend::end_program()
{
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(0);
}

struct Application::Native {
    Native(int& argc, char** argv) : app(argc, argv)
    {
        // Only Exit or a window's close box ends the program; hiding the main
        // window for the result window must not.
        app.setQuitOnLastWindowClosed(false);
    }
    QApplication app;
};

Application::Application(int& argc, char** argv) : native_(std::make_unique<Native>(argc, argv)) {}
Application::~Application() = default;
int Application::run() { return QApplication::exec(); }

void set_clipboard_text(Form&, const Text& text) { QGuiApplication::clipboard()->setText(to_qstring(text)); }
Text clipboard_text() { return to_text(QGuiApplication::clipboard()->text()); }

void set_clipboard_picture(Form&, const Drawing& drawing, double scale)
{
    QImage image(QSize(int(std::ceil(drawing.width * scale)), int(std::ceil(drawing.height * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) throw std::runtime_error("no memory for the picture");
    // 96 logical dots to the inch, as on screen, so that the letters keep their size.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        paint(painter, drawing);
    }
    QGuiApplication::clipboard()->setImage(image);
}

}  // namespace platform
