// The yardstick for bench/startup.sh: a bare Qt 6 program that shows one empty widget of the size
// of the chart application's first window (1280 × 800 pixels plus its 16 + 16 × 25 + 26 border).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(1312, 851);
    window.show();
    return QApplication::exec();
}
