// The baseline that scripts/bench-startup measures Plinvor against: a bare
// frameless Qt Widgets window of Plinvor's size and place that paints nothing
// but its own background.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setFixedSize(361, 328);
    window.move(465, 178);
    window.show();
    return app.exec();
}
