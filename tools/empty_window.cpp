// The floor of a Qt 6 Widgets program: one empty window of Varendo's size.
// `make bench` starts it beside Varendo to show what Qt itself costs.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.setFixedSize(449, 251);
    window.show();
    return app.exec();
}
