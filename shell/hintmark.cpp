// HintMark: a frame around the card or the stock that a hint points at.
#include "hintmark.h"

#include "boardscaler.h"

#include <QEvent>
#include <QPainter>

namespace {

// Wide enough to be seen beside a card's own white border, outside the card.
constexpr int kMargin = 4;
// Green, so that it is not taken for the gold frame the arrow keys move.
const QColor kHintColour(64, 224, 128);
const QColor kOutline(16, 16, 40);

} // namespace

HintMark::HintMark(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    BoardScaler::markOwnGeometry(this);
    hide();
}

void HintMark::point(QWidget* target) {
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = target;
    m_target->installEventFilter(this);
    place();
    show();
    raise();
}

void HintMark::place() {
    if (m_target)
        setGeometry(m_target->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
}

bool HintMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        place();
    return QWidget::eventFilter(watched, event);
}

void HintMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(kOutline, 4));
    painter.drawRoundedRect(frame, 5, 5);
    painter.setPen(QPen(kHintColour, 2.5));
    painter.drawRoundedRect(frame, 5, 5);
}
