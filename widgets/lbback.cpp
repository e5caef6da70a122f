// TLbBackground: tiles a picture over a window's background, beneath everything the window
// paints itself.
#include "lbback.h"

#include <QEvent>
#include <QPainter>

TLbBackground::TLbBackground(QWidget* window) : QObject(window), m_window(window) {
    if (m_window)
        m_window->installEventFilter(this);
}

void TLbBackground::setPicture(const QPixmap& picture) {
    m_picture = picture;
    if (m_window)
        m_window->update();
}

void TLbBackground::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (m_window)
        m_window->update();
}

bool TLbBackground::eventFilter(QObject* watched, QEvent* event) {
    // The filter sees the paint event before the window does, so the tiles lie under whatever
    // the window's own paint handler draws next.
    if (watched == m_window && event->type() == QEvent::Paint)
        paintTiles();
    return QObject::eventFilter(watched, event);
}

void TLbBackground::paintTiles() {
    if (!m_enabled || m_picture.isNull())
        return;
    const QSize size = m_picture.deviceIndependentSize().toSize();
    if (size.isEmpty())
        return;
    const int cols = columns(m_window->width(), size.width());
    const int rowCount = rows(m_window->height(), size.height());
    QPainter painter(m_window);
    for (int col = 0; col < cols; ++col) {
        for (int row = 0; row < rowCount; ++row)
            painter.drawPixmap(col * size.width(), row * size.height(), m_picture);
    }
}
