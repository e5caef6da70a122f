// BoardScaler: lays the card table out larger when the window grows past its designed size.
#include "boardscaler.h"

#include "flatpanel.h"
#include "imagebutton.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const char* const kFitsText = "solmarinFitsText";
const char* const kOwnGeometry = "solmarinOwnGeometry";

int scaled(qreal value, qreal scale) {
    return int(std::lround(value * scale));
}

QFont scaledFont(QFont font, qreal scale) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), scale)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

} // namespace

BoardScaler::BoardScaler(QWidget* board) : m_board(board) {
    base(board);
}

void BoardScaler::markFitsText(QWidget* label) {
    label->setProperty(kFitsText, true);
}

void BoardScaler::markOwnGeometry(QWidget* widget) {
    widget->setProperty(kOwnGeometry, true);
}

void BoardScaler::fit(QSize client, QSize designClient) {
    if (designClient.width() <= 0 || designClient.height() <= 0)
        return;
    const qreal scale = std::max(1.0, std::min(qreal(client.width()) / designClient.width(),
                                               qreal(client.height()) / designClient.height()));
    // The designed client area, scaled, is centred; the table keeps its place inside it.
    const QPoint origin(std::max(0, scaled(client.width() - designClient.width() * scale, 0.5)),
                        std::max(0, scaled(client.height() - designClient.height() * scale, 0.5)));
    if (scale == m_scale && origin == m_origin)
        return;
    const bool rescale = scale != m_scale;
    m_scale = scale;
    m_origin = origin;
    if (rescale)
        apply(m_board);
    place(m_bases.front(), true);
}

void BoardScaler::refit() {
    if (m_scale != 1.0)
        apply(m_board);
}

BoardScaler::Base& BoardScaler::base(QWidget* widget) {
    for (Base& b : m_bases)
        if (b.widget == widget)
            return b;
    // Seen for the first time: it is still where the program laid it out.
    Base b;
    b.widget = widget;
    b.geometry = widget->geometry();
    b.ownFont = widget == m_board || widget->testAttribute(Qt::WA_SetFont);
    if (b.ownFont)
        b.font = widget->font();
    m_bases.push_back(b);
    return m_bases.back();
}

void BoardScaler::apply(QWidget* container) {
    // Recorded before anything moves, so a widget is never measured after it was scaled.
    const QObjectList children = container->children();
    for (QObject* object : children) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->isWindow() || widget->property(kOwnGeometry).toBool())
            continue;
        Base& b = base(widget);
        if (b.placed.isNull())
            continue;
        if (widget->property(kFitsText).toBool()) {
            if (widget->pos() != b.placed.topLeft())
                b.geometry.moveTo(widget->pos());
        } else if (widget->geometry() != b.placed) {
            b.geometry = widget->geometry();
        }
        if (b.ownFont && widget->font() != b.placedFont)
            b.font = widget->font();
    }
    for (QObject* object : children) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->isWindow() || widget->property(kOwnGeometry).toBool())
            continue;
        place(base(widget), false);
        if (qobject_cast<TFlatPanel*>(widget))
            apply(widget);
    }
}

void BoardScaler::place(Base& b, bool top) {
    QWidget* widget = b.widget;
    if (!widget)
        return;
    if (b.ownFont) {
        const QFont font = m_scale == 1.0 ? b.font : scaledFont(b.font, m_scale);
        if (widget->font() != font)
            widget->setFont(font);
        b.placedFont = widget->font();
    }
    if (auto* button = qobject_cast<ImageButton*>(widget))
        button->setScale(m_scale);
    QPoint at(scaled(b.geometry.x(), m_scale), scaled(b.geometry.y(), m_scale));
    if (top)
        at += m_origin;
    if (widget->property(kFitsText).toBool()) {
        widget->move(at);
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty())
            label->adjustSize();
    } else {
        widget->setGeometry(QRect(
            at, QSize(scaled(b.geometry.width(), m_scale), scaled(b.geometry.height(), m_scale))));
    }
    b.placed = widget->geometry();
}
