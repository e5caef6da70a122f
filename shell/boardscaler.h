// BoardScaler: lays the card table out larger when the window grows past its designed size,
// keeping its proportions and centring it on the cloth.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

class BoardScaler {
public:
    // `board` is the outermost panel of the table; everything on it and on the panels inside it
    // is scaled. Positions given by the program are in the designed units: a widget that the
    // program has moved since it was last scaled is taken to be at its new designed place.
    explicit BoardScaler(QWidget* board);

    // Fits the table into `client`, where `designClient` is the client size the table was laid
    // out for. The table never shrinks below its designed size; at that size it sits where it
    // was laid out, untouched.
    void fit(QSize client, QSize designClient);
    qreal scale() const { return m_scale; }
    // Lays out again at the present scale, for widgets added to the table since.
    void refit();

    // Labels that size themselves to their text are only moved; they size themselves again.
    static void markFitsText(QWidget* label);
    // Widgets that place themselves (overlays over the table) are left alone.
    static void markOwnGeometry(QWidget* widget);

private:
    struct Base {
        QPointer<QWidget> widget;
        QRect geometry;   // as laid out, in the designed units
        QRect placed;     // where it was last put here; null until then
        QFont font;       // likewise
        QFont placedFont; // the font it was last given here
        bool ownFont = false;
    };

    void apply(QWidget* container);
    Base& base(QWidget* widget);
    void place(Base& base, bool top);

    QWidget* m_board;
    qreal m_scale = 1.0;
    QPoint m_origin;
    std::vector<Base> m_bases;
};
