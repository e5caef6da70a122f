// TSelButton: a flat text button that draws itself: a face, a caption and a nested border, with
// its own colours for the mouse over it and for the button held down.
#include "buttoncomps.h"

#include "accesstree.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The caption sits this far from the left edge, or from the right edge when right-aligned.
constexpr int kLeftMargin = 5;
constexpr int kRightMargin = 6;

QFont defaultFont() {
    // Liberation Sans has Arial's metrics, so captions measure as they were designed.
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

} // namespace

TSelButton::TSelButton(QWidget* parent) : QWidget(parent) {
    resize(kDefaultWidth, kDefaultHeight);
    m_color = palette().color(QPalette::Button);
    setFont(defaultFont());
    // Drawn by the program, it is reached by Tab and pressed with Space or Enter too; a click
    // does not take the focus, so mouse players never see the focus frame.
    setFocusPolicy(Qt::TabFocus);
    // Screen readers see a button named by its caption.
    accesstree::install();
    connect(this, &QObject::objectNameChanged, this, [this] {
        if (!m_captionSet)
            update();
    });
}

TSelButton::TSelButton(const QString& name, QWidget* parent) : TSelButton(parent) {
    setObjectName(name);
}

QString TSelButton::caption() const {
    return m_captionSet ? m_caption : objectName();
}

void TSelButton::setCaption(const QString& caption) {
    m_captionSet = true;
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TSelButton::setAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TSelButton::setColor(const QColor& color) {
    m_color = color;
    update();
}

void TSelButton::setColorOver(const QColor& color) {
    m_colorOver = color;
    update();
}

void TSelButton::setColorDown(const QColor& color) {
    m_colorDown = color;
    update();
}

void TSelButton::setColorBorder(const QColor& color) {
    m_colorBorder = color;
    update();
}

void TSelButton::setColorOverCaption(const QColor& color) {
    m_colorOverCaption = color;
    update();
}

void TSelButton::setFontColor(const QColor& color) {
    m_fontColor = color;
    update();
}

void TSelButton::setBorderWidth(int width) {
    m_borderWidth = qMax(0, width);
    update();
}

TSelButton::Look TSelButton::look() const {
    if (!isEnabled() || !m_over)
        return Look::Normal;
    return m_pressed ? Look::Down : Look::Over;
}

void TSelButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Look now = look();
    const QColor face = now == Look::Down ? m_colorDown : now == Look::Over ? m_colorOver : m_color;
    painter.fillRect(rect().adjusted(1, 1, -1, -1), face);

    const QString text = caption();
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text);
    int x = kLeftMargin;
    if (m_alignment & Qt::AlignHCenter)
        x = (width() - textWidth) / 2;
    else if (m_alignment & Qt::AlignRight)
        x = width() - textWidth - kRightMargin;
    int y = (height() - metrics.height()) / 2;
    // A held button shows its caption pressed in: down and away from the edge it is aligned to.
    if (now == Look::Down) {
        x += (m_alignment & Qt::AlignRight) ? -1 : 1;
        y += 1;
    }
    painter.setFont(font());
    painter.setPen(now == Look::Normal ? m_fontColor : m_colorOverCaption);
    painter.drawText(x, y + metrics.ascent(), text);

    painter.setPen(m_colorBorder);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < m_borderWidth && 2 * i < qMin(width(), height()); ++i)
        painter.drawRect(i, i, width() - 1 - 2 * i, height() - 1 - 2 * i);
    // The keyboard's focus: gold dashes inside the border, once Tab has moved the focus.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(QColor(255, 210, 60), 1, Qt::DashLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TSelButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && isEnabled() &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSelButton::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void TSelButton::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void TSelButton::setPointerOver(bool over) {
    if (over == m_over)
        return;
    m_over = over;
    update();
}

void TSelButton::enterEvent(QEnterEvent* event) {
    setPointerOver(true);
    QWidget::enterEvent(event);
}

void TSelButton::leaveEvent(QEvent* event) {
    setPointerOver(false);
    QWidget::leaveEvent(event);
}

void TSelButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_over = rect().contains(event->position().toPoint());
    update();
}

void TSelButton::mouseMoveEvent(QMouseEvent* event) {
    // While the button is held the mouse stays with it, so leaving and coming back is seen here.
    if (m_pressed)
        setPointerOver(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TSelButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    m_over = rect().contains(event->position().toPoint());
    update();
    if (m_over && isEnabled())
        emit clicked();
}

void TSelButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_pressed = false;
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(event);
}
