// The yardstick for the start-up benchmark: the least a Qt Widgets program
// does to put a 999 × 640 window on the screen.

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("minimal"));
    w.resize(999, 640);
    w.show();
    return app.exec();
}
