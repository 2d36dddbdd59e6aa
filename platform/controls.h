#pragma once
// The window layer: windows and controls laid out in twips, with the few
// services the handlers ask of them. Thin wrappers over Qt Widgets.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QIcon>
#include <QWidget>
#include <functional>
#include <vector>

namespace platform {

// 15 twips make one device-independent pixel (96 per inch).
constexpr int twips(int t) { return (t + 7) / 15; }
QRect twips_rect(int left, int top, int width, int height);

QFont courier(double points, bool bold);

// The window grey of both windows.
inline const QColor window_grey{192, 192, 192};

// Paints a control's background opaquely in the window grey.
void set_grey_background(QWidget* widget);

// A top-level window: caption "Varendo", fixed client area, grey background,
// the program's straight lines drawn beneath its controls, centred on the
// screen when created. Closing it through its frame runs on_close.
class Form : public QWidget {
public:
    Form(int width_twips, int height_twips);

    void add_line(int x1, int y1, int x2, int y2);  // twips
    void set_tab_order(const std::vector<QWidget*>& order);

    std::function<void()> on_close;

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<QLine> lines_;  // pixels
    std::vector<QWidget*> tab_order_;
};

class Label : public QLabel {
public:
    explicit Label(QWidget* parent);
    QString caption() const { return text(); }
    void set_caption(const QString& caption) { setText(caption); }
};

// A single-line box. on_key_press sees every typed character before it goes
// in and may replace it (0 drops it). Pasted text does not pass it.
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget* parent);
    std::function<void(char16_t& code)> on_key_press;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class CommandButton : public QPushButton {
public:
    CommandButton(const QString& caption, QWidget* parent);
};

// Shows a picture at natural size in its top-left corner; on a high-density
// screen its pixels grow as blocks, never smoothed.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent);
    void set_picture(int resource_number);
    int picture_number() const { return number_; }
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    int number_ = 0;
};

// The program icon, for the title bar of every window.
QIcon program_icon();

// A modal box with one OK button; lines of the prompt are separated by CR LF.
enum class BoxIcon { None, Warning };
void message_box(QWidget* parent, const QString& prompt, const QString& title,
                 BoxIcon icon = BoxIcon::None);

// Ends the program at once. Tests put their own handler in its place; an
// empty one restores the real end.
void end();
void set_end_handler(std::function<void()> handler);

}  // namespace platform
