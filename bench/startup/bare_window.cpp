// The yardstick of the program's start-up: a bare Qt window of the main
// window's size, shown and saved as a picture, then gone, as
// `tarsel --screenshot FILE` does with the main window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QWidget window;
    window.resize(632, 440);
    window.show();
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
