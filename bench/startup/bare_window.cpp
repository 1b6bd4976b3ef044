// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a window, one empty QMainWindow at Gridmoor's first size.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(480, 600);
    window.show();
    return QApplication::exec();
}
