// The yardsticks of the program's start-up, each shown and saved as a
// picture, then gone, as `tarsel --screenshot FILE` does with the main
// window: a bare Qt window of the main window's size, and with --widgets
// FILE a window of the same size holding the kinds of widget the main window
// has (a menu bar, 19 entry boxes with numbers, a label, two buttons), which
// pays what Qt itself costs for the first text drawn (the font database,
// fontconfig) and for a menu bar.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <cstring>

namespace {

void addWidgets(QMainWindow& window) {
    for (const char* title : {"&File", "&Params", "&Options", "&Graphs", "&Help"}) {
        window.menuBar()->addMenu(QString::fromLatin1(title));
    }
    auto* client = new QLabel(QStringLiteral("Free space loss"), &window);
    client->setAlignment(Qt::AlignBottom | Qt::AlignLeft);
    window.setCentralWidget(client);
    for (int i = 0; i < 19; ++i) {
        auto* box = new QLineEdit(QString::number(1.5 * i), client);
        box->setGeometry(20 + 150 * (i % 4), 20 + 60 * (i / 4), 80, 20);
    }
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(QStringLiteral("Hill"), client);
        button->move(500, 300 + 30 * i);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool widgets = argc > 1 && std::strcmp(argv[1], "--widgets") == 0;
    if (argc < (widgets ? 3 : 2)) {
        return 2;
    }
    QWidget bare;
    QMainWindow full;
    QWidget& window = widgets ? static_cast<QWidget&>(full) : bare;
    if (widgets) {
        addWidgets(full);
    }
    window.resize(632, 440);
    window.show();
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
    return window.grab().save(QString::fromLocal8Bit(argv[argc - 1])) ? 0 : 1;
}
