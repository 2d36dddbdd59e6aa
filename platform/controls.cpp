#include "platform/controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <stdexcept>

namespace platform {

QRect twips_rect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QFont courier(double points, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Whole-pixel advances: 9 pt bold then steps 7 px a character at 96 dpi,
    // which the P-value line's blanks rely on to stand under the panels.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void set_grey_background(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, window_grey);
    palette.setColor(QPalette::Base, window_grey);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

Form::Form(int width_twips, int height_twips)
{
    setWindowTitle(QStringLiteral("Varendo"));
    setWindowIcon(program_icon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips(width_twips), twips(height_twips));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, window_grey);
    setPalette(palette);
    setAutoFillBackground(true);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(QRect(area.center() - QPoint(width() / 2, height() / 2), size()));
    }
}

void Form::add_line(int x1, int y1, int x2, int y2)
{
    lines_.emplace_back(twips(x1), twips(y1), twips(x2), twips(y2));
}

void Form::set_tab_order(const std::vector<QWidget*>& order)
{
    tab_order_ = order;
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    for (const QLine& line : lines_) painter.drawLine(line);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (on_close) on_close();
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (focusWidget() && focusWidget()->isVisible() && focusWidget()->isEnabled()) return;
    for (QWidget* w : tab_order_) {
        if (w->isVisible() && w->isEnabled() && w->focusPolicy() & Qt::TabFocus) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

Label::Label(QWidget* parent) : QLabel(parent)
{
    set_grey_background(this);
    setFocusPolicy(Qt::NoFocus);
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!on_key_press || typed.size() != 1 || !typed[0].isPrint()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    char16_t code = typed[0].unicode();
    on_key_press(code);
    if (code == 0) return;
    if (code == typed[0].unicode()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar replaced(code);
    QKeyEvent changed(event->type(), replaced.toUpper().unicode(), event->modifiers(),
                      QString(replaced), event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&changed);
}

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    set_grey_background(this);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::set_picture(int resource_number)
{
    QPixmap picture(QStringLiteral(":/bitmaps/%1.bmp").arg(resource_number));
    if (picture.isNull())
        throw std::runtime_error("missing picture resource " + std::to_string(resource_number));
    picture_ = std::move(picture);
    number_ = resource_number;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(0, 0, picture_);
}

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

void message_box(QWidget* parent, const QString& prompt, const QString& title, BoxIcon icon)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

namespace {
void end_program()
{
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(0);
}

std::function<void()>& end_handler()
{
    static std::function<void()> handler = end_program;
    return handler;
}
}  // namespace

void end() { end_handler()(); }

void set_end_handler(std::function<void()> handler)
{
    end_handler() = handler ? std::move(handler) : end_program;
}

}  // namespace platform
