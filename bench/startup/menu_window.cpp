// A second yardstick: an empty main window with a menu bar and a line of text, the least a real
// program shows. Unlike the bare window it pays for loading the fonts.
#include "firstframe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Menu"));
    window.menuBar()->addMenu(QStringLiteral("Game"))->addAction(QStringLiteral("Exit"));
    auto* label = new QLabel(QStringLiteral("Hello"), &window);
    window.setCentralWidget(label);
    window.resize(774, 541);
    new FirstFrame(label);
    window.show();
    return app.exec();
}
