// ImageButton: a picture that acts on a click, such as the 126 x 40 lettered buttons of the
// card table.
#include "imagebutton.h"

#include <QPainter>

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    // Pictures on the table take clicks but never the keyboard focus, so no focus frame is ever
    // drawn over the artwork.
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
        m_picture = m_source(ratio);
        m_sourceDrawn = true;
        m_drawnRatio = ratio;
    }
    return m_picture;
}

void ImageButton::paintEvent(QPaintEvent*) {
    const QPixmap& pixmap = current();
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    const int shift = (m_pressedFeedback && isDown()) ? 1 : 0;
    painter.drawPixmap(shift, shift, pixmap);
}
