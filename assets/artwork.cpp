// The program's pictures, drawn with QPainter at the moment they are first asked for.
#include "artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRawFont>
#include <QtMath>

#include <array>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

namespace artwork {
namespace {

// Pictures are drawn for at most this ratio; a larger one would only cost memory.
constexpr qreal kMaxRatio = 8.0;

const QColor kRed(196, 18, 36);
const QColor kBlack(24, 24, 28);
const QColor kNavy(0, 0, 128);
const QColor kGold(232, 184, 52);
const QColor kDeepGold(168, 112, 16);

qreal saneRatio(qreal dpr) {
    if (!(dpr > 0.0)) // also catches NaN
        return 1.0;
    return qMin(dpr, kMaxRatio);
}

// A transparent (or opaque) canvas of `size` device-independent pixels for ratio `dpr`.
QImage canvas(QSizeF size, qreal dpr, bool opaque = false) {
    dpr = saneRatio(dpr);
    // The small epsilon keeps 71 * 1.0 from becoming 72 through rounding noise.
    QImage image(qCeil(size.width() * dpr - 1e-6), qCeil(size.height() * dpr - 1e-6),
                 opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(opaque ? Qt::black : Qt::transparent);
    return image;
}

void smooth(QPainter& p) {
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
}

// DejaVu comes with every Debian desktop (fonts-dejavu-core); the others are fallbacks for
// systems without it, and the style hint covers the rest.
QFont font(bool serif, int pixelSize, QFont::Weight weight = QFont::Bold) {
    QFont f;
    if (serif) {
        f.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                       QStringLiteral("FreeSerif")});
        f.setStyleHint(QFont::Serif);
    } else {
        f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("FreeSans")});
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

// ---- Suits --------------------------------------------------------------------------------

enum Suit { Clubs, Diamonds, Hearts, Spades };

bool isRed(int suit) {
    return suit == Diamonds || suit == Hearts;
}
QColor suitColor(int suit) {
    return isRed(suit) ? kRed : kBlack;
}

// Suit symbols are drawn as paths, not font glyphs, so they look the same on every system.
// Each fits a box of 100 x 100 around the origin.
QPainterPath makeSuitPath(int suit) {
    QPainterPath path;
    switch (suit) {
    case Hearts:
        path.moveTo(0, -28);
        path.cubicTo(0, -50, -48, -54, -48, -16);
        path.cubicTo(-48, 10, -20, 26, 0, 48);
        path.cubicTo(20, 26, 48, 10, 48, -16);
        path.cubicTo(48, -54, 0, -50, 0, -28);
        break;
    case Diamonds:
        path.moveTo(0, -50);
        path.quadTo(14, -20, 38, 0);
        path.quadTo(14, 20, 0, 50);
        path.quadTo(-14, 20, -38, 0);
        path.quadTo(-14, -20, 0, -50);
        break;
    case Spades:
        path.moveTo(0, -50);
        path.cubicTo(-16, -26, -48, -14, -48, 10);
        path.cubicTo(-48, 32, -20, 40, -4, 24);
        path.quadTo(-6, 42, -20, 50);
        path.lineTo(20, 50);
        path.quadTo(6, 42, 4, 24);
        path.cubicTo(20, 40, 48, 32, 48, 10);
        path.cubicTo(48, -14, 16, -26, 0, -50);
        break;
    default: {
        // Three lobes on a flared stem. They overlap as parts of one path filled by the
        // winding rule, all running the same way round, so the overlaps fill as one shape and
        // no seam shows inside, without the cost of joining the outlines.
        path.setFillRule(Qt::WindingFill);
        path.moveTo(4, 4);
        path.quadTo(6, 42, 20, 50);
        path.lineTo(-20, 50);
        path.quadTo(-6, 42, -4, 4);
        path.closeSubpath();
        for (const QPointF& centre : {QPointF(0, -25), QPointF(-25, 8), QPointF(25, 8)})
            path.addEllipse(centre, 22, 22);
        path.addEllipse(QPointF(0, 2), 13, 13);
        break;
    }
    }
    return path;
}

// Each outline is made the first time its suit is drawn: the logo of the first frame needs
// only three of them.
const QPainterPath& suitPath(int suit) {
    switch (suit & 3) {
    case Clubs: {
        static const QPainterPath clubs = makeSuitPath(Clubs);
        return clubs;
    }
    case Diamonds: {
        static const QPainterPath diamonds = makeSuitPath(Diamonds);
        return diamonds;
    }
    case Hearts: {
        static const QPainterPath hearts = makeSuitPath(Hearts);
        return hearts;
    }
    default: {
        static const QPainterPath spades = makeSuitPath(Spades);
        return spades;
    }
    }
}

// A suit symbol `height` pixels tall around `centre`; upside down for the lower half of a card.
void drawSuit(QPainter& p, int suit, QPointF centre, qreal height, bool upsideDown = false,
              const QColor& color = QColor()) {
    p.save();
    p.translate(centre);
    if (upsideDown)
        p.rotate(180);
    p.scale(height / 100.0, height / 100.0);
    p.setPen(Qt::NoPen);
    p.setBrush(color.isValid() ? color : suitColor(suit));
    p.drawPath(suitPath(suit));
    p.restore();
}

// ---- Card faces ---------------------------------------------------------------------------

constexpr QRectF kCardRect(0, 0, kCardWidth, kCardHeight);
constexpr qreal kCornerRadius = 4.5;

void drawBlank(QPainter& p, const QColor& face = Qt::white) {
    const QRectF r = kCardRect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(70, 70, 80), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(r, kCornerRadius, kCornerRadius);
}

QString rankText(int rank) {
    static const char* const texts[] = {"",  "A", "2", "3",  "4", "5", "6",
                                        "7", "8", "9", "10", "J", "Q", "K"};
    return QString::fromLatin1(texts[rank]);
}

// Rank above suit in the top-left corner; the same turned round in the bottom-right one.
void drawIndex(QPainter& p, int suit, int rank) {
    const QFont f = font(false, 13);
    const QString text = rankText(rank);
    const QFontMetricsF fm(f);
    const qreal width = fm.horizontalAdvance(text);
    // "10" is squeezed so both corners keep the same narrow column as the other ranks.
    const qreal squeeze = width > 11.5 ? 11.5 / width : 1.0;
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(kCardWidth, kCardHeight);
            p.rotate(180);
        }
        p.save();
        p.translate(8.5, 3.0);
        p.scale(squeeze, 1.0);
        p.setFont(f);
        p.setPen(suitColor(suit));
        p.drawText(QRectF(-width / 2 - 2, 0, width + 4, 14), Qt::AlignHCenter | Qt::AlignTop, text);
        p.restore();
        drawSuit(p, suit, QPointF(8.5, 22.5), 9.0);
        p.restore();
    }
}

// Where the pips of 2..10 lie, as columns 0..2 and rows 0..1 between the top and bottom pips.
struct Pip {
    int column;
    qreal row;
};
const std::vector<Pip>& pipLayout(int rank) {
    static const std::array<std::vector<Pip>, 11> layouts = {{
        {},
        {},
        {{1, 0}, {1, 1}},
        {{1, 0}, {1, 0.5}, {1, 1}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
        {{0, 0},
         {2, 0},
         {0, 1.0 / 3},
         {2, 1.0 / 3},
         {1, 0.5},
         {0, 2.0 / 3},
         {2, 2.0 / 3},
         {0, 1},
         {2, 1}},
        {{0, 0},
         {2, 0},
         {1, 1.0 / 6},
         {0, 1.0 / 3},
         {2, 1.0 / 3},
         {0, 2.0 / 3},
         {2, 2.0 / 3},
         {1, 5.0 / 6},
         {0, 1},
         {2, 1}},
    }};
    return layouts[static_cast<size_t>(rank)];
}

void drawPips(QPainter& p, int suit, int rank) {
    constexpr qreal kColumns[] = {22.0, 35.5, 49.0};
    constexpr qreal kTop = 17.0;
    constexpr qreal kBottom = 79.0;
    // The crowded nine and ten get smaller pips, so that no two of them touch.
    const qreal size = rank == 10 ? 12.5 : rank == 9 ? 13.0 : 14.5;
    for (const Pip& pip : pipLayout(rank)) {
        const qreal y = kTop + pip.row * (kBottom - kTop);
        drawSuit(p, suit, QPointF(kColumns[pip.column], y), size, pip.row > 0.5);
    }
}

void drawAce(QPainter& p, int suit) {
    const QPointF centre(35.5, 48);
    if (suit == Spades) {
        // The ace of spades keeps its traditional flourish: a large pip in a ring.
        p.setPen(QPen(QColor(150, 150, 160), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 22, 25);
        drawSuit(p, suit, centre, 36);
        drawSuit(p, suit, centre + QPointF(0, -2), 9, false, Qt::white);
        drawSuit(p, suit, centre + QPointF(0, -2), 6);
    } else {
        drawSuit(p, suit, centre, 34);
    }
}

// Court cards: a framed, two-headed portrait. Each rank has its own headgear, colours and
// attribute, so J, Q and K differ at a glance.
struct CourtStyle {
    QColor robe;
    QColor robeDark;
    QColor trim;
    QColor hair;
};

CourtStyle courtStyle(int rank, int suit) {
    // Red suits and black suits swap the secondary colour, so the twelve faces are not all alike.
    const bool red = isRed(suit);
    switch (rank) {
    case 13:
        return {red ? QColor(178, 28, 40) : QColor(36, 70, 160),
                red ? QColor(112, 14, 24) : QColor(18, 36, 100), kGold, QColor(236, 236, 240)};
    case 12:
        return {red ? QColor(36, 84, 176) : QColor(170, 30, 60),
                red ? QColor(18, 44, 112) : QColor(100, 14, 36), kGold, QColor(226, 176, 60)};
    default:
        return {red ? QColor(32, 126, 72) : QColor(196, 96, 24),
                red ? QColor(16, 74, 40) : QColor(124, 56, 10), kGold, QColor(120, 70, 30)};
    }
}

// The portrait is drawn in halves, each in a frame 40 wide whose centre line is y = 0 and
// whose top edge is y = -40.
const QPen kOutline(QColor(40, 30, 30), 0.7);
const QColor kSkin(248, 214, 176);
const QColor kSteel(214, 218, 228);
constexpr QPointF kHead(0, -25);

// Shoulders and robe narrowing to the waist at the centre line, with sleeve folds, a golden
// band and a collar (ermine for the royals, plain white for the jack).
void drawRobe(QPainter& p, const CourtStyle& style, bool ermine) {
    QPainterPath robe;
    robe.moveTo(-14.5, 0);
    robe.lineTo(-16.5, -7);
    robe.cubicTo(-18.5, -12, -15, -15, -6, -16.5);
    robe.lineTo(6, -16.5);
    robe.cubicTo(15, -15, 18.5, -12, 16.5, -7);
    robe.lineTo(14.5, 0);
    robe.closeSubpath();
    QLinearGradient robeFill(-17, 0, 17, 0);
    robeFill.setColorAt(0, style.robeDark);
    robeFill.setColorAt(0.4, style.robe);
    robeFill.setColorAt(1, style.robeDark);
    p.setPen(kOutline);
    p.setBrush(robeFill);
    p.drawPath(robe);

    QPainterPath folds;
    folds.moveTo(-12, -13);
    folds.quadTo(-9.5, -7, -11, 0);
    folds.moveTo(12, -13);
    folds.quadTo(9.5, -7, 11, 0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.robeDark.darker(130), 0.8));
    p.drawPath(folds);

    p.setPen(kOutline);
    p.setBrush(style.trim);
    p.drawRect(QRectF(-2.5, -15.5, 5, 15.5));
    p.setPen(Qt::NoPen);
    p.setBrush(style.robeDark);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(0, -11 + i * 4.5), 0.9, 0.9);

    QPainterPath collar;
    collar.moveTo(-11, -15);
    collar.quadTo(0, -9.5, 11, -15);
    collar.lineTo(6, -18);
    collar.lineTo(-6, -18);
    collar.closeSubpath();
    p.setPen(kOutline);
    p.setBrush(Qt::white);
    p.drawPath(collar);
    if (ermine) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlack);
        for (qreal x : {-7.0, -3.5, 0.0, 3.5, 7.0})
            p.drawRect(QRectF(x - 0.45, -14.8 + qAbs(x) * 0.08, 0.9, 1.4));
    }
}

void drawFace(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(kSkin);
    p.drawEllipse(kHead, 5.8, 6.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(kHead + QPointF(-2.2, -1.0), 0.75, 0.75);
    p.drawEllipse(kHead + QPointF(2.2, -1.0), 0.75, 0.75);
    p.setBrush(QColor(232, 150, 130, 160));
    p.drawEllipse(kHead + QPointF(-3.2, 1.6), 1.2, 0.8);
    p.drawEllipse(kHead + QPointF(3.2, 1.6), 1.2, 0.8);
    p.setBrush(QColor(196, 50, 50));
    p.drawEllipse(kHead + QPointF(0, 3.3), 1.4, 0.6);
}

// A hand holding the figure's attribute beside the robe.
void drawHand(QPainter& p, QPointF at) {
    p.setPen(kOutline);
    p.setBrush(kSkin);
    p.drawEllipse(at, 2.0, 2.0);
}

// King: a full beard, a crown of three points with jewels, a sword.
void drawKing(QPainter& p, const CourtStyle& style) {
    drawRobe(p, style, true);
    drawFace(p);
    QPainterPath beard;
    beard.moveTo(-5.6, -24);
    beard.cubicTo(-5.6, -16, -2, -14, 0, -13.5);
    beard.cubicTo(2, -14, 5.6, -16, 5.6, -24);
    beard.quadTo(3.8, -20.5, 0, -20.8);
    beard.quadTo(-3.8, -20.5, -5.6, -24);
    p.setPen(kOutline);
    p.setBrush(style.hair);
    p.drawPath(beard);
    p.setBrush(QColor(196, 50, 50));
    p.drawEllipse(kHead + QPointF(0, 3.0), 1.3, 0.5);

    const QPolygonF crown({QPointF(-6.5, -30.5), QPointF(-7.5, -39), QPointF(-3.5, -35),
                           QPointF(0, -40.5), QPointF(3.5, -35), QPointF(7.5, -39),
                           QPointF(6.5, -30.5)});
    p.setBrush(style.trim);
    p.drawPolygon(crown);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(0, -33), 1.3, 1.3);
    p.setBrush(QColor(40, 90, 200));
    p.drawEllipse(QPointF(-4, -32.5), 0.9, 0.9);
    p.drawEllipse(QPointF(4, -32.5), 0.9, 0.9);

    p.setBrush(kSteel);
    p.drawRect(QRectF(13.7, -38, 1.6, 30));
    p.setBrush(style.trim);
    p.drawRect(QRectF(11.0, -10.5, 7.2, 1.8));
    drawHand(p, QPointF(14.5, -6.5));
}

// Queen: long golden hair, a rounded tiara, a flower.
void drawQueen(QPainter& p, const CourtStyle& style, int suit) {
    QPainterPath hair; // behind the shoulders and the face
    hair.moveTo(-7.5, -27);
    hair.cubicTo(-9, -35, 9, -35, 7.5, -27);
    hair.cubicTo(9.5, -21, 9.5, -16, 11, -12);
    hair.lineTo(-11, -12);
    hair.cubicTo(-9.5, -16, -9.5, -21, -7.5, -27);
    p.setPen(kOutline);
    p.setBrush(style.hair);
    p.drawPath(hair);
    drawRobe(p, style, true);
    drawFace(p);

    QPainterPath tiara;
    tiara.moveTo(-6, -31);
    tiara.lineTo(-6.5, -35.5);
    tiara.quadTo(-3.3, -33.5, 0, -37.5);
    tiara.quadTo(3.3, -33.5, 6.5, -35.5);
    tiara.lineTo(6, -31);
    tiara.closeSubpath();
    p.setPen(kOutline);
    p.setBrush(style.trim);
    p.drawPath(tiara);
    p.setBrush(Qt::white);
    for (const QPointF pearl : {QPointF(-6.5, -36), QPointF(0, -38), QPointF(6.5, -36)})
        p.drawEllipse(pearl, 1.2, 1.2);

    p.setPen(QPen(QColor(30, 120, 50), 1.0));
    p.drawLine(QPointF(14, -6), QPointF(15, -22));
    p.setPen(kOutline);
    p.setBrush(isRed(suit) ? kRed : QColor(230, 120, 170));
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(15 + 2.1 * std::cos(a), -24 + 2.1 * std::sin(a)), 1.6, 1.6);
    }
    p.setBrush(kGold);
    p.drawEllipse(QPointF(15, -24), 1.1, 1.1);
    drawHand(p, QPointF(14, -7));
}

// Jack: short curls, a broad cap with a feather, a halberd.
void drawJack(QPainter& p, const CourtStyle& style) {
    drawRobe(p, style, false);
    drawFace(p);
    p.setPen(kOutline);
    p.setBrush(style.hair);
    p.drawEllipse(QPointF(-5.6, -24.5), 1.9, 3.2);
    p.drawEllipse(QPointF(5.6, -24.5), 1.9, 3.2);

    QPainterPath feather;
    feather.moveTo(4, -32);
    feather.cubicTo(10, -35, 13, -38, 12.5, -40.5);
    feather.cubicTo(9, -39, 6, -36.5, 3, -33);
    p.setBrush(Qt::white);
    p.drawPath(feather);
    QPainterPath cap;
    cap.moveTo(-9, -29.5);
    cap.cubicTo(-9.5, -37, 8.5, -38.5, 9, -30.5);
    cap.quadTo(0, -28, -9, -29.5);
    p.setBrush(style.robe);
    p.drawPath(cap);
    p.setBrush(style.trim);
    p.drawRect(QRectF(-6.5, -31.3, 13, 1.8));

    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(-15.2, -36, 1.4, 30));
    const QPolygonF blade({QPointF(-14.5, -40.5), QPointF(-12.6, -36), QPointF(-10.0, -34),
                           QPointF(-13.8, -33), QPointF(-15.2, -33), QPointF(-18.6, -34),
                           QPointF(-16.4, -36)});
    p.setBrush(kSteel);
    p.drawPolygon(blade);
    drawHand(p, QPointF(-14.5, -7));
}

void drawCourtHalf(QPainter& p, int suit, int rank) {
    const CourtStyle style = courtStyle(rank, suit);
    if (rank == 13)
        drawKing(p, style);
    else if (rank == 12)
        drawQueen(p, style, suit);
    else
        drawJack(p, style);
    // The suit, small, in the free upper corner of the half.
    drawSuit(p, suit, QPointF(rank == 11 ? 14.5 : -14.5, -35), 7.5);
}

void drawCourt(QPainter& p, int suit, int rank) {
    const QRectF frame(15.5, 7.5, 40, 81);
    const QPointF centre = frame.center();

    QLinearGradient paper(frame.topLeft(), frame.bottomRight());
    paper.setColorAt(0, QColor(255, 250, 232));
    paper.setColorAt(1, QColor(246, 234, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(frame);

    for (int half = 0; half < 2; ++half) {
        p.save();
        p.translate(centre);
        if (half == 1)
            p.rotate(180);
        p.setClipRect(QRectF(-20, -40.5, 40, 40.5));
        drawCourtHalf(p, suit, rank);
        p.restore();
    }

    // Dividing line and frame in the suit's colour.
    p.setPen(QPen(suitColor(suit), 0.8));
    p.drawLine(QPointF(frame.left(), centre.y()), QPointF(frame.right(), centre.y()));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(suitColor(suit), 1.0));
    p.drawRect(frame);
}

// ---- Card back ----------------------------------------------------------------------------

// Three small peaks: the program's emblem, on the card back, the logo and the title.
QPainterPath peaksPath(const QRectF& r) {
    QPainterPath path;
    const qreal w = r.width();
    const qreal h = r.height();
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left() + w * 0.22, r.top() + h * 0.38);
    path.lineTo(r.left() + w * 0.33, r.top() + h * 0.55);
    path.lineTo(r.left() + w * 0.50, r.top());
    path.lineTo(r.left() + w * 0.67, r.top() + h * 0.55);
    path.lineTo(r.left() + w * 0.78, r.top() + h * 0.38);
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    return path;
}

void drawBack(QPainter& p) {
    drawBlank(p);
    const QRectF field = kCardRect.adjusted(4, 4, -4, -4);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, 2.5, 2.5);

    QLinearGradient fill(field.topLeft(), field.bottomRight());
    fill.setColorAt(0, QColor(22, 52, 132));
    fill.setColorAt(1, QColor(10, 28, 92));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(fieldPath);

    // A diamond lattice with a dot in each cell.
    p.save();
    p.setClipPath(fieldPath);
    p.setPen(QPen(QColor(70, 110, 200, 170), 0.8));
    constexpr qreal kStep = 7.0;
    for (qreal d = -kCardHeight; d < kCardWidth + kCardHeight; d += kStep) {
        p.drawLine(QPointF(d, 0), QPointF(d + kCardHeight, kCardHeight));
        p.drawLine(QPointF(d, 0), QPointF(d - kCardHeight, kCardHeight));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 170, 230, 150));
    for (qreal y = 0; y < kCardHeight + kStep; y += kStep / 2) {
        const int row = qRound(y / (kStep / 2));
        for (qreal x = (row % 2) ? 0 : kStep / 2; x < kCardWidth + kStep; x += kStep)
            p.drawEllipse(QPointF(x + kStep / 2 - 0.0, y + 0.0), 0.55, 0.55);
    }
    p.restore();

    // Inner border lines.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 215, 245), 0.8));
    p.drawRoundedRect(field.adjusted(2.5, 2.5, -2.5, -2.5), 1.5, 1.5);

    // The medallion: the three peaks on a dark oval.
    const QPointF centre = kCardRect.center();
    p.setPen(QPen(QColor(226, 200, 120), 1.0));
    QRadialGradient glow(centre, 18);
    glow.setColorAt(0, QColor(30, 66, 160));
    glow.setColorAt(1, QColor(8, 20, 70));
    p.setBrush(glow);
    p.drawEllipse(centre, 17, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 232, 255));
    p.drawPath(peaksPath(QRectF(centre.x() - 12, centre.y() - 9, 24, 15)));
    p.setBrush(QColor(226, 200, 120));
    p.drawRect(QRectF(centre.x() - 12, centre.y() + 7, 24, 1.2));
}

// ---- Cloth --------------------------------------------------------------------------------

struct ClothStyle {
    QColor base;
    int grain;  // pixel-to-pixel noise
    int thread; // variation between whole rows and whole columns, the look of woven thread
    int mottle; // large soft patches
};

// Light falling on the middle of a cloth, the edges sinking into shadow: a brightness offset by
// distance from `centre`, both in device pixels.
struct ClothLight {
    QPointF centre;
    qreal radius;
    int brightest; // offset at the centre
    int darkest;   // offset at the radius and beyond
    qreal plateau; // fraction of the radius where the light has faded to 0
};

// A cheap deterministic generator: the pictures look the same at every start.
struct Noise {
    std::uint32_t state;
    int next(int amplitude) {
        state = state * 1664525u + 1013904223u;
        return int(((state >> 16) * std::uint32_t(2 * amplitude + 1)) >> 16) - amplitude;
    }
    // 32 random bits at a time, every bit of them usable (unlike the low bits of the step
    // above), for the grain that takes four values from each.
    std::uint32_t bits() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

// One term of the mottling: whole periods of a plane wave across the image, kept separable as
// sin(a + b) = sin a cos b + cos a sin b, taken only at the corners of the cells.
struct Wave {
    std::vector<float> sinX, cosX, sinY, cosY;
    Wave(int w, int h, int cell, int kx, int ky, double phase) {
        for (int x = 0; x < w; x += cell) {
            const double a = 2 * M_PI * kx * x / w + phase;
            sinX.push_back(float(std::sin(a)));
            cosX.push_back(float(std::cos(a)));
        }
        for (int y = 0; y < h; y += cell) {
            const double b = 2 * M_PI * ky * y / h;
            sinY.push_back(float(std::sin(b)));
            cosY.push_back(float(std::cos(b)));
        }
    }
    float at(size_t cx, size_t cy) const { return sinX[cx] * cosY[cy] + cosX[cx] * sinY[cy]; }
};

// The brightness offset of the light at a distance `t` (in radii) from its centre.
int lightAt(const ClothLight& light, qreal t) {
    if (t < light.plateau)
        return int(light.brightest * (1 - t / light.plateau));
    return int(light.darkest * qMin(1.0, (t - light.plateau) / (1 - light.plateau)));
}

// Fills the whole image with cloth. Without light everything in it repeats with the image's
// own width and height, so the picture tiles without seams: the mottling is built from whole
// periods of waves, the rest reaches no further than a pixel.
//
// The table is the largest picture of the first frame, so the work per pixel is kept to an
// addition and a look-up: the mottling and the light change slowly and are worked out once per
// cell of kCell x kCell pixels (the grain laid over them hides the steps), the threads are
// added to them once per row of cells, and every brightness maps to a colour once.
void weaveCloth(QImage& image, const ClothStyle& style, std::uint32_t seed,
                const ClothLight* light = nullptr) {
    constexpr int kCell = 4;
    constexpr int kRange = 128; // brightness offsets -kRange..kRange have a colour
    const int w = image.width();
    const int h = image.height();
    Noise noise{seed};
    std::vector<int> columns(static_cast<size_t>(w));
    std::vector<int> rows(static_cast<size_t>(h));
    for (int& c : columns)
        c = noise.next(style.thread);
    for (int& r : rows)
        r = noise.next(style.thread);
    const Wave waves[] = {
        {w, h, kCell, 2, 1, 0.7}, {w, h, kCell, 3, -2, 2.1}, {w, h, kCell, 5, 3, 4.0}};
    const float m = float(style.mottle) / 3.0f;

    // Blue moves most, red least, so light and shade stay blue rather than turning grey.
    std::array<QRgb, 2 * kRange + 1> palette;
    for (int v = -kRange; v <= kRange; ++v)
        palette[size_t(v + kRange)] = qRgb(qBound(0, style.base.red() + v / 2, 255),
                                           qBound(0, style.base.green() + (v * 3) / 4, 255),
                                           qBound(0, style.base.blue() + v, 255));
    // The slow part is held within bounds once per cell, so that threads and grain added to it
    // can never leave the palette and no pixel needs a bounds check.
    const int smoothLimit = kRange - 2 * style.thread - style.grain;

    // Grain values for every byte of random bits, spread evenly over -grain..grain.
    std::array<int, 256> grainOf;
    for (int b = 0; b < 256; ++b)
        grainOf[size_t(b)] = (b * (2 * style.grain + 1)) / 256 - style.grain;

    const int cellsX = (w + kCell - 1) / kCell;
    std::vector<int> base(static_cast<size_t>(w));
    Noise grain{noise.state | 1u}; // the shifts never leave a state of 0
    for (int y0 = 0; y0 < h; y0 += kCell) {
        const size_t cy = size_t(y0 / kCell);
        for (int cx = 0; cx < cellsX; ++cx) {
            const int x0 = cx * kCell;
            const float wave = waves[0].at(size_t(cx), cy) + waves[1].at(size_t(cx), cy) +
                               waves[2].at(size_t(cx), cy);
            int v = int(std::lround(m * wave));
            if (light) {
                const qreal dx = x0 - light->centre.x();
                const qreal dy = y0 - light->centre.y();
                v += lightAt(*light, std::sqrt(dx * dx + dy * dy) / light->radius);
            }
            v = qBound(-smoothLimit, v, smoothLimit);
            for (int x = x0; x < qMin(w, x0 + kCell); ++x)
                base[size_t(x)] = v + columns[size_t(x)];
        }
        for (int y = y0; y < qMin(h, y0 + kCell); ++y) {
            const QRgb* shade = palette.data() + kRange + rows[size_t(y)];
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            int x = 0;
            for (; x + 4 <= w; x += 4) {
                const std::uint32_t r = grain.bits();
                line[x] = shade[base[size_t(x)] + grainOf[r & 255]];
                line[x + 1] = shade[base[size_t(x) + 1] + grainOf[(r >> 8) & 255]];
                line[x + 2] = shade[base[size_t(x) + 2] + grainOf[(r >> 16) & 255]];
                line[x + 3] = shade[base[size_t(x) + 3] + grainOf[r >> 24]];
            }
            for (std::uint32_t r = grain.bits(); x < w; ++x, r >>= 8)
                line[x] = shade[base[size_t(x)] + grainOf[r & 255]];
        }
    }
}

// ---- Lettering ----------------------------------------------------------------------------

// `text` as a path with its left end of the baseline at the origin.
QPainterPath textPath(const QString& text, const QFont& f) {
    QPainterPath path;
    path.addText(0, 0, f, text);
    return path;
}

// The pictures letter with two loaded fonts only, a serif and a sans, each at one size; other
// sizes are their outlines scaled. Every further size would cost a font match and the set-up of
// a face, most of them on the way to the first frame.
constexpr int kSerifLoadedSize = 23; // the table's name
constexpr int kSansLoadedSize = 13;  // the button lettering

// `text` as a path in the serif or sans lettering at `pixelSize`, `spacing` pixels added after
// each letter, with the left end of its baseline at the origin.
QPainterPath lettering(const QString& text, bool serif, qreal pixelSize, qreal spacing = 0) {
    QFont f = font(serif, serif ? kSerifLoadedSize : kSansLoadedSize);
    const qreal scale = pixelSize / f.pixelSize();
    if (spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing / scale);
    const QPainterPath path = textPath(text, f);
    return scale == 1.0 ? path : QTransform::fromScale(scale, scale).map(path);
}

// One letter of the serif lettering at its loaded size: its outline, with the left end of its
// baseline at the origin, and how far it moves the pen.
struct Letter {
    QPainterPath outline;
    qreal advance;
};

// The letters of `text` in the serif lettering. Each outline is taken from the font once and
// kept: the table's name and the logo's word are the same letters, and taking an outline costs
// the hinting of its glyph at the font's full resolution. The words need no shaping
// ("Solmarin" has no kerning pairs), so the letters go by their advances alone.
std::vector<Letter> serifLetters(const QString& text) {
    static std::mutex lock;
    static QHash<quint32, QPainterPath> outlines; // by glyph index
    const QRawFont raw = QRawFont::fromFont(font(true, kSerifLoadedSize));
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    const std::lock_guard<std::mutex> guard(lock);
    std::vector<Letter> letters;
    for (qsizetype i = 0; i < glyphs.size() && i < advances.size(); ++i) {
        auto known = outlines.constFind(glyphs[i]);
        if (known == outlines.constEnd())
            known = outlines.insert(glyphs[i], raw.pathForGlyph(glyphs[i]));
        letters.push_back({*known, advances[i].x()});
    }
    return letters;
}

// A word in the serif lettering as a path whose baseline starts at `origin`, scaled down where
// a wider fallback font would overrun `maxWidth`.
QPainterPath wordmark(const QString& text, qreal pixelSize, QPointF origin, qreal maxWidth) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal pen = 0;
    for (const Letter& letter : serifLetters(text)) {
        path.addPath(letter.outline.translated(pen, 0));
        pen += letter.advance;
    }
    qreal scale = pixelSize / kSerifLoadedSize;
    const qreal width = path.boundingRect().right() * scale;
    if (width > maxWidth)
        scale *= maxWidth / width;
    return QTransform::fromScale(scale, scale).map(path).translated(origin);
}

// The word in the serif lettering on an arc of a circle around `centre`, read left to right over
// the top.
void drawArcText(QPainter& p, const QString& text, QPointF centre, qreal radius,
                 const QColor& color, const QColor& shadow) {
    const std::vector<Letter> letters = serifLetters(text);
    qreal total = 0;
    for (const Letter& letter : letters)
        total += letter.advance;
    qreal along = -total / 2;
    for (const Letter& letter : letters) {
        const qreal angle = (along + letter.advance / 2) / radius; // radians from the top
        p.save();
        p.translate(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
        p.rotate(qRadiansToDegrees(angle));
        const QPainterPath glyph = letter.outline.translated(-letter.advance / 2, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawPath(glyph.translated(0.8, 1.4));
        p.setBrush(color);
        p.drawPath(glyph);
        p.restore();
        along += letter.advance;
    }
}

// A small fan of three cards, as on the logo and the title picture; `height` is a card's height.
void drawCardFan(QPainter& p, QPointF pivot, qreal height) {
    const qreal width = height * 0.72;
    const int suits[] = {Spades, Hearts, Diamonds};
    const qreal angles[] = {-20, 0, 20};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(angles[i]);
        const QRectF r(-width / 2, -height, width, height);
        p.setPen(QPen(QColor(60, 60, 80), 0.8));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, width * 0.1, width * 0.1);
        // The corner pip is the part of a fanned card that stays in sight.
        drawSuit(p, suits[i], QPointF(-width * 0.27, -height * 0.8), height * 0.22);
        if (i == 2)
            drawSuit(p, suits[i], QPointF(width * 0.05, -height * 0.45), height * 0.36);
        p.restore();
    }
}

// A mountain silhouette with a snow cap; it fades into the cloth towards its foot.
void drawMountain(QPainter& p, QPointF apex, qreal halfWidth, qreal base, const QColor& color) {
    const qreal h = base - apex.y();
    const qreal x = apex.x();
    QPainterPath mountain;
    mountain.moveTo(x - halfWidth, base);
    mountain.lineTo(x - halfWidth * 0.55, apex.y() + h * 0.45);
    mountain.lineTo(x - halfWidth * 0.35, apex.y() + h * 0.5);
    mountain.lineTo(apex);
    mountain.lineTo(x + halfWidth * 0.3, apex.y() + h * 0.35);
    mountain.lineTo(x + halfWidth * 0.45, apex.y() + h * 0.42);
    mountain.lineTo(x + halfWidth, base);
    mountain.closeSubpath();

    QLinearGradient fill(0, apex.y(), 0, base);
    fill.setColorAt(0, color);
    fill.setColorAt(0.6, color);
    QColor foot = color;
    foot.setAlpha(70);
    fill.setColorAt(1, foot);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(mountain);

    QPolygonF snow;
    snow << QPointF(x - halfWidth * 0.3, apex.y() + h * 0.3) << apex
         << QPointF(x + halfWidth * 0.3, apex.y() + h * 0.3)
         << QPointF(x + halfWidth * 0.12, apex.y() + h * 0.22) << QPointF(x, apex.y() + h * 0.3)
         << QPointF(x - halfWidth * 0.14, apex.y() + h * 0.2);
    p.save();
    p.setClipPath(mountain);
    p.setBrush(QColor(196, 212, 244, 210));
    p.drawPolygon(snow);
    p.restore();
}

} // namespace

// ---- The pictures -------------------------------------------------------------------------

QPixmap card(int index, qreal dpr) {
    if (index < 0 || index > 52)
        return QPixmap();
    QImage image = canvas(QSizeF(kCardWidth, kCardHeight), dpr);
    QPainter p(&image);
    smooth(p);
    if (index == 0) {
        drawBack(p);
    } else {
        const int suit = (index - 1) / 13;
        const int rank = (index - 1) % 13 + 1;
        drawBlank(p);
        if (rank == 1)
            drawAce(p, suit);
        else if (rank <= 10)
            drawPips(p, suit, rank);
        else
            drawCourt(p, suit, rank);
        drawIndex(p, suit, rank);
    }
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap emptyStock(qreal dpr) {
    QImage image = canvas(QSizeF(72, 97), dpr);
    QPainter p(&image);
    smooth(p);
    const QRectF r(0.5, 0.5, 71, 96);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor(44, 96, 190));
    fill.setColorAt(1, QColor(28, 66, 150));
    p.setPen(QPen(QColor(10, 26, 80), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r, kCornerRadius, kCornerRadius);
    p.setPen(QPen(QColor(12, 28, 84), 6.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 22), QPointF(55, 75));
    p.drawLine(QPointF(55, 22), QPointF(17, 75));
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap table(qreal dpr) {
    constexpr int kWidth = 735;
    constexpr int kHeight = 446;
    QImage image = canvas(QSizeF(kWidth, kHeight), dpr, true);
    const qreal ratio = image.devicePixelRatio();
    // Light falls on the middle of the table; the edges sink into shadow.
    const ClothLight light{QPointF(kWidth * 0.5, kHeight * 0.42) * ratio, kWidth * 0.62 * ratio, 8,
                           -40, 0.55};
    weaveCloth(image, {QColor(26, 72, 154), 6, 3, 8}, 0x5017a41u, &light);

    QPainter p(&image);
    smooth(p);
    // The three peaks at the upper right, clear of the cards: the tallest behind, hazier.
    drawMountain(p, QPointF(684, 7), 34, 70, QColor(16, 40, 118));
    drawMountain(p, QPointF(651, 28), 27, 70, QColor(8, 22, 82));
    drawMountain(p, QPointF(714, 25), 25, 70, QColor(8, 22, 82));

    // The name in an arc at the upper left, clear of the first peak's cards.
    drawArcText(p, QStringLiteral("Solmarin"), QPointF(63.5, 106), 76, QColor(244, 222, 150),
                QColor(4, 16, 60, 170));
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap clothTile(qreal dpr) {
    QImage image = canvas(QSizeF(173, 171), dpr, true);
    weaveCloth(image, {QColor(10, 24, 112), 5, 3, 4}, 0x7a11e5u);
    return QPixmap::fromImage(std::move(image));
}

QPixmap logo(qreal dpr) {
    QImage image = canvas(QSizeF(214, 41), dpr);
    QPainter p(&image);
    smooth(p);
    drawCardFan(p, QPointF(21, 37), 26);

    const QPainterPath word = wordmark(QStringLiteral("Solmarin"), 27, {44, 27}, 166);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 8, 48, 170));
    p.drawPath(word.translated(1.2, 1.6));
    QLinearGradient gold(0, 6, 0, 28);
    gold.setColorAt(0, QColor(255, 244, 200));
    gold.setColorAt(1, kGold);
    p.setBrush(gold);
    p.drawPath(word);

    p.setBrush(QColor(196, 214, 250));
    p.drawPath(lettering(QStringLiteral("PEAKS SOLITAIRE"), false, 8, 1.6).translated(46, 38));
    p.end();
    return QPixmap::fromImage(std::move(image));
}

namespace {

QFont buttonFont() {
    QFont f = font(false, 13);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return f;
}

} // namespace

int buttonLetteringSize(const QString& lettering) {
    const QString text = lettering.toUpper();
    QFont f = buttonFont();
    // Long lettering (a longer word in another language) shrinks rather than touching the frame.
    for (int px = 13; px >= kButtonSmallestLettering; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(text) <= kButtonLetteringWidth)
            return px;
    }
    return 0;
}

QPixmap button(const QString& lettering, qreal dpr) {
    QImage image = canvas(QSizeF(126, 40), dpr);
    QPainter p(&image);
    smooth(p);
    // A 2-pixel white frame around the navy face.
    p.fillRect(QRectF(0, 0, 126, 40), Qt::white);
    p.fillRect(QRectF(2, 2, 122, 36), kNavy);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 110, 210), 1.0));
    p.drawRect(QRectF(3.5, 3.5, 119, 33));

    const QString text = lettering.toUpper();
    QFont f = buttonFont();
    f.setPixelSize(std::max(kButtonSmallestLettering, buttonLetteringSize(lettering)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 126, 40), Qt::AlignCenter, text);
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap titlePicture(qreal dpr) {
    QImage image = canvas(QSizeF(217, 54), dpr);
    QPainter p(&image);
    smooth(p);
    drawCardFan(p, QPointF(26, 50), 34);

    const QPainterPath word = wordmark(QStringLiteral("Solmarin"), 34, {53, 36}, 160);
    p.setPen(QPen(QColor(0, 8, 48, 200), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word.translated(1, 1.5));
    QLinearGradient gold(0, 10, 0, 36);
    gold.setColorAt(0, QColor(255, 246, 210));
    gold.setColorAt(0.55, kGold);
    gold.setColorAt(1, kDeepGold);
    p.setPen(QPen(QColor(90, 56, 0), 0.8));
    p.setBrush(gold);
    p.drawPath(word);

    // Centred under the word, its letters' tops at y = 39.
    constexpr qreal kSmallSize = 9;
    const QPainterPath small = lettering(QStringLiteral("PEAKS SOLITAIRE"), false, kSmallSize, 2.4);
    const qreal ascent =
        QFontMetricsF(font(false, kSansLoadedSize)).ascent() * kSmallSize / kSansLoadedSize;
    const QRectF wordBox = word.boundingRect();
    const QRectF smallBox = small.boundingRect();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 224, 255));
    p.drawPath(small.translated(53 + (wordBox.width() - smallBox.width()) / 2 - smallBox.left(),
                                39 + ascent));
    p.end();
    return QPixmap::fromImage(std::move(image));
}

void drawIcon(QPainter& p, qreal size) {
    p.save();
    smooth(p);
    // Laid out on a 64-unit square; the tile leaves a small margin, as desktop icons do.
    p.scale(size / 64, size / 64);
    const QRectF tile(2, 2, 60, 60);
    QLinearGradient cloth(tile.topLeft(), tile.bottomLeft());
    cloth.setColorAt(0, QColor(60, 116, 206));
    cloth.setColorAt(1, QColor(14, 36, 128));
    p.setPen(QPen(QColor(6, 16, 70), 1.2));
    p.setBrush(cloth);
    p.drawRoundedRect(tile, 11, 11);

    // The peaks stand inside the tile rather than being clipped to it: a scalable drawing
    // may not keep the clip.
    drawMountain(p, QPointF(32, 7), 26, 46, QColor(16, 40, 118));
    drawMountain(p, QPointF(17, 20), 14, 46, QColor(8, 22, 82));
    drawMountain(p, QPointF(47, 18), 14, 46, QColor(8, 22, 82));

    drawCardFan(p, QPointF(32, 58), 34);
    p.restore();
}

} // namespace artwork
