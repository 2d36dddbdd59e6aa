// The floor of a Qt 6 Widgets program: one empty window of Varendo's size.
// `make bench` starts it beside Varendo to show what Qt itself costs; with
// --text-box the window holds one empty text box, which is what it costs to
// bring up the font machinery (fontconfig) that any window with text needs.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.setFixedSize(449, 251);
    QLineEdit* box = argc > 1 && std::strcmp(argv[1], "--text-box") == 0 ? new QLineEdit(&window) : nullptr;
    if (box) box->setGeometry(208, 32, 49, 25);
    window.show();
    return app.exec();
}
