// TFlatPanel: a flat panel with a one-pixel two-colour frame and a one-line caption.
#include "flatpanel.h"

#include "accesstree.h"

#include <QEvent>
#include <QPainter>

TFlatPanel::TFlatPanel(QWidget* parent) : QWidget(parent) {
    // Qt paints every widget of a window into the window's backing store and shows the result in
    // one go, so the panel is drawn off screen without a picture of its own. Leaving the
    // background to the panel itself is what lets a transparent panel show its parent through.
    setAutoFillBackground(false);
    // Screen readers see a panel without what it hides from them (its decoration).
    accesstree::install();
}

void TFlatPanel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TFlatPanel::setAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TFlatPanel::setTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TFlatPanel::setColor(const QColor& color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TFlatPanel::setColorHighLight(const QColor& color) {
    if (color == m_colorHighLight)
        return;
    m_colorHighLight = color;
    update();
}

void TFlatPanel::setColorShadow(const QColor& color) {
    if (color == m_colorShadow)
        return;
    m_colorShadow = color;
    update();
}

void TFlatPanel::setFontColor(const QColor& color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TFlatPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void TFlatPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (!m_transparent)
        painter.fillRect(rect(), m_color);

    // The shadow owns both far corners, as on a raised three-dimensional frame.
    painter.setPen(m_colorHighLight);
    painter.drawLine(0, bottom - 1, 0, 0);
    painter.drawLine(0, 0, right - 1, 0);
    painter.setPen(m_colorShadow);
    painter.drawLine(right, 0, right, bottom);
    painter.drawLine(right, bottom, 0, bottom);

    if (m_caption.isEmpty())
        return;
    const int flags = int(m_alignment) | Qt::AlignVCenter | Qt::TextSingleLine;
    const QRect textRect = rect().adjusted(1, 1, -1, -1);
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(m_fontColor);
        painter.drawText(textRect, flags, m_caption);
        return;
    }
    // Embossed: a light copy one pixel down and right, the dark copy over it.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(textRect.translated(1, 1), flags, m_caption);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(textRect, flags, m_caption);
}
