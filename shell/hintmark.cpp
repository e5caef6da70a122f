// HintMark: a frame around the card or the stock that a hint points at.
#include "hintmark.h"

#include <QPainter>

namespace {

// Wide enough to be seen beside a card's own white border, outside the card.
constexpr int kMargin = 4;
const QColor kGold(255, 204, 0);

} // namespace

HintMark::HintMark(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void HintMark::point(const QWidget* target) {
    setGeometry(target->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
    show();
    raise();
}

void HintMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(kGold, 3);
    painter.setPen(pen);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
}
