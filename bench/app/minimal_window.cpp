// The yardstick for the start-up benchmark: the least a Qt Widgets program
// does to put a 999 × 640 window on the screen. With --text it also shows a
// line edit and a label: the least a window with text pays (the font set-up).

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("minimal"));
    w.resize(999, 640);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text"))) {
        (new QLineEdit(QStringLiteral("Profile 1"), &w))->move(20, 20);
        (new QLabel(QStringLiteral("DPI  PERFORMANCE  LIGHTING  CUSTOMIZE  MACRO"), &w))->move(20, 80);
    }
    w.show();
    return app.exec();
}
