// The program's pictures, drawn in code: cards, table, cloth tile, logo, buttons, title.
// Every picture is drawn for a device pixel ratio, so it stays sharp on high-DPI screens; its
// size in device-independent pixels is the size named here.
#pragma once

#include <QPixmap>
#include <QString>

class QPainter;

namespace artwork {

constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;

// Image 0 is the card back, image k (1..52) the face of card k: 1-13 clubs, 14-26 diamonds,
// 27-39 hearts, 40-52 spades, each Ace to King. 71 x 96.
QPixmap card(int index, qreal dpr);
// Beneath the stock: a card-sized blue field with a dark cross, shown once the stock is empty.
// 72 x 97.
QPixmap emptyStock(qreal dpr);
// The table: blue cloth, "Solmarin" lettered in an arc at the upper left, three dark-blue peaks
// at the right. 735 x 446.
QPixmap table(qreal dpr);
// The blue cloth texture tiled over window backgrounds. 173 x 171.
QPixmap clothTile(qreal dpr);
// The program logo at the foot of the table. 214 x 41.
QPixmap logo(qreal dpr);
// An image button: navy face, white frame, the lettering in white capitals. 126 x 40.
QPixmap button(const QString& lettering, qreal dpr);
// The lettering of a button is at most this wide, and shrinks down to this pixel size to be so.
constexpr int kButtonLetteringWidth = 110;
constexpr int kButtonSmallestLettering = 8;
// The pixel size `lettering` is drawn at on a button; 0 when even the smallest is too wide.
int buttonLetteringSize(const QString& lettering);
// The About window's title picture. 217 x 54.
QPixmap titlePicture(qreal dpr);
// The program's icon, the fan of cards before the three peaks on a blue tile, painted into the
// square from 0,0 to size,size of any device: a picture, or a scalable drawing.
void drawIcon(QPainter& p, qreal size);

} // namespace artwork
