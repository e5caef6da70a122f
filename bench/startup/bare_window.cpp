// The yardstick: a bare Qt window of the main window's size, ended right after its first frame.
#include "firstframe.h"

#include <QApplication>
#include <QPainter>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0, 0, 128)); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(774, 541);
    new FirstFrame(&window);
    window.show();
    return app.exec();
}
