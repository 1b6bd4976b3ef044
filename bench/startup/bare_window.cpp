// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a window, one empty QMainWindow at Gridmoor's first size.
// With --text its window also draws one line of text, which is the least a
// program that shows any text does: the font configuration, the font
// database and one font are loaded for it.
#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QWidget>

#include <cstring>

namespace {

class TextLine : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("One line of text"));
    }
};

} // namespace

int main(int argc, char* argv[])
{
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication app(argc, argv);
    QMainWindow window;
    if (text)
        window.setCentralWidget(new TextLine);
    window.resize(480, 600);
    window.show();
    return QApplication::exec();
}
