// ImageButton: a picture that acts on a click, such as the 126 x 40 lettered buttons of the
// card table.
#include "imagebutton.h"

#include <QKeyEvent>
#include <QPainter>

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    // Pictures on the table take clicks but not the keyboard focus, so no focus frame is drawn
    // over the artwork; lettered buttons that should be reached by Tab are given it.
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setPicture(const QPixmap& picture) {
    m_source = nullptr;
    m_picture = picture;
    update();
}

void ImageButton::setPictureSource(PictureSource source) {
    m_source = std::move(source);
    m_sourceDrawn = false;
    m_picture = QPixmap();
    update();
}

void ImageButton::clearPicture() {
    if (!hasPicture())
        return;
    m_source = nullptr;
    m_picture = QPixmap();
    update();
}

void ImageButton::setScale(qreal scale) {
    if (!(scale > 0) || scale == m_scale)
        return;
    m_scale = scale;
    m_sourceDrawn = false;
    update();
}

void ImageButton::setPressedFeedback(bool on) {
    m_pressedFeedback = on;
    update();
}

QPixmap ImageButton::picture() {
    return current();
}

QSize ImageButton::sizeHint() const {
    if (!m_picture.isNull())
        return m_picture.deviceIndependentSize().toSize();
    return size();
}

const QPixmap& ImageButton::current() {
    const qreal ratio = devicePixelRatioF();
    if (m_source && (!m_sourceDrawn || ratio != m_drawnRatio)) {
        // Drawn for the screen's ratio times the scale, then told it is for the screen's ratio
        // alone: the same number of device pixels, painted over the scaled size.
        m_picture = m_source(ratio * m_scale);
        if (m_scale != 1.0)
            m_picture.setDevicePixelRatio(ratio);
        m_sourceDrawn = true;
        m_drawnRatio = ratio;
    }
    return m_picture;
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    // Enter presses a focused button as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ImageButton::paintEvent(QPaintEvent*) {
    const QPixmap& pixmap = current();
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    const int shift = (m_pressedFeedback && isDown()) ? 1 : 0;
    painter.drawPixmap(shift, shift, pixmap);
    // Only once the keyboard has moved the focus: a mouse player never sees the frame.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        // Gold on a dark line, seen on the navy faces and on the cloth alike.
        const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        painter.setPen(QPen(QColor(20, 20, 40), 3));
        painter.drawRect(frame);
        painter.setPen(QPen(QColor(255, 210, 60), 1.5, Qt::DashLine));
        painter.drawRect(frame);
    }
}
