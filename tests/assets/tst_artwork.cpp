// The drawn pictures: sizes at every pixel ratio, distinct and correctly coloured cards, seamless
// cloth, readable buttons. Also renders contact sheets (PNG, in the working folder) for review.
#include "artwork.h"
#include "cardimagelist.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

constexpr int kSuitSize = 13;
const QStringList kButtonLetterings = {"START GAME", "UNDO -3", "DONE", "HIGH SCORES",
                                       "SEND SCORE", "CANCEL",  "OK",   "RESET TALLY"};

QImage toImage(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isSaturatedRed(QRgb c) {
    return qAlpha(c) == 255 && qRed(c) > 140 && qGreen(c) < 90 && qBlue(c) < 100;
}
bool isInkBlack(QRgb c) {
    return qAlpha(c) == 255 && qMax(qRed(c), qMax(qGreen(c), qBlue(c))) < 60;
}

// Counts pixels of `image` within the device-independent rectangle `area`.
int count(const QImage& image, const QRectF& area, const std::function<bool(QRgb)>& test) {
    const qreal dpr = image.devicePixelRatio();
    const QRect r = QRectF(area.topLeft() * dpr, area.size() * dpr).toRect() & image.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

double luminance(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Mean brightness step between neighbouring columns inside the image, and across the wrap from
// the last column to the first.
struct Steps {
    double inside = 0;
    double wrap = 0;
};
Steps columnSteps(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    double inside = 0;
    double wrap = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x + 1 < w; ++x)
            inside += std::abs(luminance(image.pixel(x, y)) - luminance(image.pixel(x + 1, y)));
        wrap += std::abs(luminance(image.pixel(w - 1, y)) - luminance(image.pixel(0, y)));
    }
    return {inside / (double(w - 1) * h), wrap / h};
}

QImage transposed(const QImage& image) {
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

// How much the mean brightness of the `width` columns left of x differs from that of the
// `width` columns from x on, wrapping round the image's edges as a tiled picture does.
double bandStep(const QImage& image, int x, int width) {
    auto column = [&image](int c) {
        c = (c + image.width()) % image.width();
        double sum = 0;
        for (int y = 0; y < image.height(); ++y)
            sum += luminance(image.pixel(c, y));
        return sum / image.height();
    };
    double left = 0;
    double right = 0;
    for (int i = 0; i < width; ++i) {
        left += column(x - 1 - i);
        right += column(x + i);
    }
    return std::abs(left - right) / width;
}

QString sheetPath(const QString& name) {
    QDir().mkpath("artwork-sheets");
    return QDir("artwork-sheets").absoluteFilePath(name);
}

// Where the table shows the cards, stock and controls, in the table picture's coordinates
// (the picture sits at 1,1 on its panel).
struct Placed {
    int left;
    int top;
};
const Placed kSlots[28] = {{125, 11},  {333, 11},  {549, 11},  {89, 73},   {161, 73},  {297, 73},
                           {369, 73},  {513, 73},  {585, 73},  {45, 139},  {117, 139}, {189, 139},
                           {261, 139}, {333, 139}, {405, 139}, {477, 139}, {549, 139}, {622, 139},
                           {9, 211},   {81, 211},  {153, 211}, {225, 211}, {297, 211}, {369, 211},
                           {441, 211}, {513, 211}, {586, 211}, {659, 211}};

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void picturesHaveTheirSizeAtEveryRatio_data();
    void picturesHaveTheirSizeAtEveryRatio();
    void nonsenseRatiosFallBackToOne();
    void allCardImagesDiffer();
    void suitsHaveTheirColours();
    void cardsHaveRoundedCornersAndOpaqueFaces();
    void clubsAreSolidWhereTheirLobesOverlap();
    void clothTileTilesWithoutSeams_data();
    void clothTileTilesWithoutSeams();
    void tableIsOpaqueClothWithItsDecorationClearOfTheCards();
    void tableIsLitInTheMiddleAndShadedAtTheEdges();
    void buttonsAreNavyWithCentredWhiteLettering();
    void emptyStockIsBlueWithADarkCross();
    void logoAndTitleAreOnTransparentGround();
    void cardImageListDrawsOnDemandAndRedrawsForANewRatio();
    void writeContactSheets();
};

void TestArtwork::picturesHaveTheirSizeAtEveryRatio_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    const QList<QPair<QString, QSize>> pictures = {
        {"back", {71, 96}},       {"ace", {71, 96}},     {"king", {71, 96}},
        {"emptyStock", {72, 97}}, {"table", {735, 446}}, {"clothTile", {173, 171}},
        {"logo", {214, 41}},      {"button", {126, 40}}, {"titlePicture", {217, 54}}};
    for (const auto& [name, size] : pictures)
        QTest::newRow(qPrintable(name)) << name << size;
}

QPixmap drawNamed(const QString& name, qreal dpr) {
    if (name == "back")
        return artwork::card(0, dpr);
    if (name == "ace")
        return artwork::card(1, dpr);
    if (name == "king")
        return artwork::card(52, dpr);
    if (name == "emptyStock")
        return artwork::emptyStock(dpr);
    if (name == "table")
        return artwork::table(dpr);
    if (name == "clothTile")
        return artwork::clothTile(dpr);
    if (name == "logo")
        return artwork::logo(dpr);
    if (name == "button")
        return artwork::button("START GAME", dpr);
    return artwork::titlePicture(dpr);
}

void TestArtwork::picturesHaveTheirSizeAtEveryRatio() {
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    for (qreal dpr : {1.0, 1.5, 2.0, 3.0}) {
        const QPixmap pixmap = drawNamed(picture, dpr);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.devicePixelRatio(), dpr);
        // Whole device pixels, covering the full logical size and not a pixel more.
        QCOMPARE(pixmap.width(), int(std::ceil(size.width() * dpr)));
        QCOMPARE(pixmap.height(), int(std::ceil(size.height() * dpr)));
        QVERIFY(std::abs(pixmap.deviceIndependentSize().width() - size.width()) < 1.0);
        QVERIFY(std::abs(pixmap.deviceIndependentSize().height() - size.height()) < 1.0);
    }
}

void TestArtwork::nonsenseRatiosFallBackToOne() {
    for (qreal dpr : {0.0, -2.0, std::nan("")}) {
        const QPixmap pixmap = artwork::card(7, dpr);
        QCOMPARE(pixmap.devicePixelRatio(), 1.0);
        QCOMPARE(pixmap.size(), QSize(artwork::kCardWidth, artwork::kCardHeight));
    }
    QVERIFY(artwork::card(-1, 1.0).isNull());
    QVERIFY(artwork::card(53, 1.0).isNull());
}

void TestArtwork::allCardImagesDiffer() {
    for (qreal dpr : {1.0, 2.0}) {
        QList<QImage> images;
        for (int i = 0; i <= 52; ++i)
            images << toImage(artwork::card(i, dpr));
        for (int a = 0; a < images.size(); ++a)
            for (int b = a + 1; b < images.size(); ++b)
                QVERIFY2(images[a] != images[b],
                         qPrintable(QString("cards %1 and %2 look the same at ratio %3")
                                        .arg(a)
                                        .arg(b)
                                        .arg(dpr)));
    }
}

void TestArtwork::suitsHaveTheirColours() {
    // The corner index (rank and suit) of every face shows the suit's colour and only that.
    const QRectF index(1, 2, 15, 28);
    const QRectF turnedIndex(artwork::kCardWidth - 16, artwork::kCardHeight - 30, 15, 28);
    for (int c = 1; c <= 52; ++c) {
        const bool red = (c - 1) / kSuitSize == 1 || (c - 1) / kSuitSize == 2;
        const QImage image = toImage(artwork::card(c, 1.0));
        for (const QRectF& corner : {index, turnedIndex}) {
            const int reds = count(image, corner, isSaturatedRed);
            const int blacks = count(image, corner, isInkBlack);
            if (red) {
                QVERIFY2(reds > 25 && blacks == 0, qPrintable(QString("card %1").arg(c)));
            } else {
                QVERIFY2(blacks > 25 && reds == 0, qPrintable(QString("card %1").arg(c)));
            }
        }
        // Pip cards carry no other colour than their suit's anywhere on the face.
        const int rank = (c - 1) % kSuitSize + 1;
        if (rank <= 10) {
            const QRectF face(0, 0, artwork::kCardWidth, artwork::kCardHeight);
            QCOMPARE(count(image, face, red ? isInkBlack : isSaturatedRed), 0);
            QVERIFY(count(image, face, red ? isSaturatedRed : isInkBlack) > 150);
        }
    }
}

void TestArtwork::cardsHaveRoundedCornersAndOpaqueFaces() {
    for (int c = 0; c <= 52; ++c) {
        const QImage image = toImage(artwork::card(c, 1.0));
        for (const QPoint corner : {QPoint(0, 0), QPoint(70, 0), QPoint(0, 95), QPoint(70, 95)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QCOMPARE(qAlpha(image.pixel(35, 48)), 255);
        QCOMPARE(qAlpha(image.pixel(35, 1)), 255);
        // A white face, a blue back.
        const QRgb margin = image.pixel(35, 2);
        QCOMPARE(margin, qRgb(255, 255, 255));
        if (c == 0) {
            const QRgb middle = image.pixel(12, 48);
            QVERIFY(qBlue(middle) > qRed(middle) + 40);
        }
    }
}

void TestArtwork::clubsAreSolidWhereTheirLobesOverlap() {
    // The ace's large pip: 34 pixels tall around the card's middle. Where two lobes, or a lobe
    // and the stem, lie over each other the ink must be as solid as anywhere else in the pip.
    const QPointF centre(35.5, 48);
    constexpr qreal kScale = 34.0 / 100;
    const QPointF overlaps[] = {{-12.5, -8.5}, {12.5, -8.5}, {0, -10}, {0, 10}, {0, 30}};
    for (qreal dpr : {1.0, 2.0}) {
        const QImage ace = toImage(artwork::card(1, dpr));
        for (const QPointF& at : overlaps) {
            const QPoint pixel = ((centre + at * kScale) * dpr).toPoint();
            QVERIFY2(isInkBlack(ace.pixel(pixel)),
                     qPrintable(QString("(%1, %2) at ratio %3").arg(at.x()).arg(at.y()).arg(dpr)));
        }
    }
}

void TestArtwork::clothTileTilesWithoutSeams_data() {
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("1") << 1.0;
    QTest::newRow("2") << 2.0;
}

void TestArtwork::clothTileTilesWithoutSeams() {
    QFETCH(qreal, dpr);
    const QImage tile = toImage(artwork::clothTile(dpr));
    QVERIFY(!tile.hasAlphaChannel() ||
            count(tile, tile.rect(), [](QRgb c) { return qAlpha(c) != 255; }) == 0);
    for (const QImage& image : {tile, transposed(tile)}) {
        const Steps steps = columnSteps(image);
        // Stepping over the seam is no bigger than stepping between any two columns.
        QVERIFY2(steps.wrap <= steps.inside * 1.3 + 0.5,
                 qPrintable(QString("wrap %1 inside %2").arg(steps.wrap).arg(steps.inside)));
        // The soft patches continue too: the brightness of a broad band changes no more
        // across the seam than anywhere inside the tile.
        constexpr int kBand = 8;
        double inside = 0;
        for (int x = kBand; x + kBand <= image.width(); ++x)
            inside = qMax(inside, bandStep(image, x, kBand));
        const double across = bandStep(image, 0, kBand);
        QVERIFY2(across <= inside,
                 qPrintable(QString("across %1 inside %2").arg(across).arg(inside)));
    }
    // It is a blue cloth and not a flat fill.
    QSet<QRgb> colours;
    for (int x = 0; x < tile.width(); ++x)
        colours.insert(tile.pixel(x, x % tile.height()));
    QVERIFY(colours.size() > 20);
    const QRgb sample = tile.pixel(10, 10);
    QVERIFY(qBlue(sample) > qRed(sample) * 2);
}

void TestArtwork::tableIsOpaqueClothWithItsDecorationClearOfTheCards() {
    const QImage table = artwork::table(1.0).toImage();
    QVERIFY(!table.hasAlphaChannel());
    const QImage argb = table.convertToFormat(QImage::Format_ARGB32);
    auto bright = [](QRgb c) { return luminance(c) > 180; };
    // The lettering is at the upper left, nowhere under a card or a control.
    QVERIFY(count(argb, QRectF(0, 0, 124, 72), bright) > 150);
    // ... whole: it keeps a margin from the table's edge and from the first peak's top card.
    int left = 735;
    int right = 0;
    int top = 446;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            if (bright(argb.pixel(x, y))) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
            }
    QVERIFY2(
        left >= 3 && top >= 3 && right <= kSlots[0].left - 1 - 3,
        qPrintable(QString("lettering spans x %1..%2 from y %3").arg(left).arg(right).arg(top)));
    // The dark peaks at the upper right.
    // Darker than the cloth anywhere, its shaded edges included.
    auto dark = [](QRgb c) { return luminance(c) < 33; };
    QVERIFY(count(argb, QRectF(622, 0, 113, 70), dark) > 500);
    for (const Placed& slot : kSlots)
        QVERIFY(count(argb, QRectF(slot.left - 1, slot.top - 1, 71, 96), dark) < 71 * 96 / 50);
}

void TestArtwork::tableIsLitInTheMiddleAndShadedAtTheEdges() {
    const QImage table = toImage(artwork::table(1.0));
    auto mean = [&table](const QRect& box) {
        double sum = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                sum += luminance(table.pixel(x, y));
        return sum / (box.width() * box.height());
    };
    // Boxes clear of the lettering and the peaks.
    const double middle = mean(QRect(347, 167, 40, 40));
    const double corners[] = {mean(QRect(0, 406, 40, 40)), mean(QRect(695, 406, 40, 40)),
                              mean(QRect(0, 130, 20, 40)), mean(QRect(715, 130, 20, 40))};
    for (double corner : corners)
        QVERIFY2(middle > corner + 15,
                 qPrintable(QString("%1 against %2").arg(middle).arg(corner)));
    // Still a blue cloth in the shade, not black.
    QVERIFY(corners[0] > 30);
}

void TestArtwork::buttonsAreNavyWithCentredWhiteLettering() {
    QSet<QByteArray> seen;
    for (const QString& lettering : kButtonLetterings) {
        for (qreal dpr : {1.0, 2.0}) {
            const QImage image = toImage(artwork::button(lettering, dpr));
            const int s = int(dpr);
            QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
            QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 255, 255));
            QCOMPARE(image.pixel(6 * s, 20 * s), qRgb(0, 0, 128));
            // Bounding box of the white lettering inside the frame.
            int left = image.width();
            int right = -1;
            int top = image.height();
            int bottom = -1;
            for (int y = 5 * s; y < 35 * s; ++y)
                for (int x = 5 * s; x < 121 * s; ++x)
                    if (luminance(image.pixel(x, y)) > 200) {
                        left = qMin(left, x);
                        right = qMax(right, x);
                        top = qMin(top, y);
                        bottom = qMax(bottom, y);
                    }
            QVERIFY2(right > left, qPrintable(lettering));
            QVERIFY2(left > 6 * s && right < 120 * s, qPrintable(lettering));
            QVERIFY2(std::abs(left - (image.width() - 1 - right)) <= 2 * s, qPrintable(lettering));
            QVERIFY2(std::abs(top - (image.height() - 1 - bottom)) <= 3 * s, qPrintable(lettering));
            QVERIFY((bottom - top) >= 8 * s); // capitals of a readable size
            if (dpr == 1.0)
                seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                       int(image.sizeInBytes())));
        }
    }
    QCOMPARE(seen.size(), kButtonLetterings.size());
    // Lower-case lettering comes out in capitals.
    QCOMPARE(toImage(artwork::button("cancel", 1.0)), toImage(artwork::button("CANCEL", 1.0)));
}

void TestArtwork::emptyStockIsBlueWithADarkCross() {
    const QImage image = toImage(artwork::emptyStock(1.0));
    const QRgb field = image.pixel(36, 12);
    const QRgb cross = image.pixel(36, 48);
    QVERIFY(qBlue(field) > 120 && qBlue(field) > qRed(field) * 2);
    QVERIFY(luminance(cross) < luminance(field) - 40);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestArtwork::logoAndTitleAreOnTransparentGround() {
    for (const QImage& image : {toImage(artwork::logo(1.0)), toImage(artwork::titlePicture(1.0))}) {
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
        const int opaque = count(image, image.rect(), [](QRgb c) { return qAlpha(c) == 255; });
        QVERIFY(opaque > image.width() * image.height() / 10);
        QVERIFY(opaque < image.width() * image.height() * 3 / 4);
    }
}

void TestArtwork::cardImageListDrawsOnDemandAndRedrawsForANewRatio() {
    CardImageList list;
    QCOMPARE(list.devicePixelRatio(), 1.0);
    const QPixmap& first = list.image(5);
    const qint64 key = first.cacheKey();
    QCOMPARE(toImage(first), toImage(artwork::card(5, 1.0)));
    QCOMPARE(list.image(5).cacheKey(), key); // drawn once, then kept
    list.setDevicePixelRatio(1.0);
    QCOMPARE(list.image(5).cacheKey(), key);
    list.setDevicePixelRatio(2.0);
    QCOMPARE(list.image(5).devicePixelRatio(), 2.0);
    QCOMPARE(list.image(5).size(), QSize(142, 192));
    QCOMPARE(list.image(0).devicePixelRatio(), 2.0);
    QVERIFY(list.image(-1).isNull());
    QVERIFY(list.image(CardImageList::kImages).isNull());
}

void TestArtwork::writeContactSheets() {
    // The cards: the back, then one suit per row, at both ratios.
    for (qreal dpr : {1.0, 2.0}) {
        constexpr int kGap = 6;
        const QSize sheet(kGap + 14 * (artwork::kCardWidth + kGap),
                          kGap + 4 * (artwork::kCardHeight + kGap));
        QImage image(sheet * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        QPainter p(&image);
        p.drawTiledPixmap(QRect(QPoint(0, 0), sheet), artwork::table(dpr));
        p.drawPixmap(kGap, kGap, artwork::card(0, dpr));
        p.drawPixmap(kGap, 2 * kGap + artwork::kCardHeight, artwork::emptyStock(dpr));
        for (int c = 1; c <= 52; ++c) {
            const int row = (c - 1) / 13;
            const int column = (c - 1) % 13 + 1;
            p.drawPixmap(kGap + column * (artwork::kCardWidth + kGap),
                         kGap + row * (artwork::kCardHeight + kGap), artwork::card(c, dpr));
        }
        p.end();
        QVERIFY(image.save(sheetPath(QString("cards-dpr%1.png").arg(dpr))));
    }

    // Court cards, aces and the back enlarged, for a close look at the details.
    {
        constexpr qreal kZoom = 3.0;
        constexpr int kGap = 6;
        const int shown[] = {0, 1, 14, 27, 40, 10, 35, 21, 46, 11, 12, 13, 24, 25, 26, 50, 51, 52};
        constexpr int kPerRow = 9;
        const QSize sheet(kGap + kPerRow * (artwork::kCardWidth + kGap),
                          kGap + 2 * (artwork::kCardHeight + kGap));
        QImage image(sheet * kZoom, QImage::Format_RGB32);
        image.setDevicePixelRatio(kZoom);
        image.fill(QColor(20, 60, 140));
        QPainter p(&image);
        for (int i = 0; i < int(std::size(shown)); ++i)
            p.drawPixmap(kGap + (i % kPerRow) * (artwork::kCardWidth + kGap),
                         kGap + (i / kPerRow) * (artwork::kCardHeight + kGap),
                         artwork::card(shown[i], kZoom));
        p.end();
        QVERIFY(image.save(sheetPath("courts-and-aces-zoomed.png")));
    }

    // The table as the player sees it after a deal.
    {
        QImage image(QSize(737, 448), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.drawPixmap(1, 1, artwork::table(1.0));
        QVERIFY(image.save(sheetPath("table.png")));
        CardImageList cards;
        for (int n = 0; n < 28; ++n)
            p.drawPixmap(kSlots[n].left, kSlots[n].top, cards.image(n < 18 ? 0 : 1 + n * 7 % 52));
        p.drawPixmap(292, 322, artwork::emptyStock(1.0));
        p.drawPixmap(381, 323, cards.image(30));
        p.drawPixmap(600, 360, artwork::button("UNDO -3", 1.0));
        p.drawPixmap(600, 400, artwork::button("START GAME", 1.0));
        p.drawPixmap(6, 401, artwork::logo(1.0));
        p.setPen(Qt::white);
        QFont f("DejaVu Sans");
        f.setBold(true);
        f.setPixelSize(11);
        p.setFont(f);
        p.drawText(291, 436, "Cards Left: 22");
        f.setPixelSize(16);
        p.setFont(f);
        p.drawText(467, 385, "Score: 12");
        p.end();
        QVERIFY(image.save(sheetPath("table-dealt.png")));
    }

    // The cloth tile four times, to look for seams; the small pictures on the tiled cloth.
    for (qreal dpr : {1.0, 2.0}) {
        const QPixmap tile = artwork::clothTile(dpr);
        QImage image(QSize(2 * 173 + 300, 2 * 171) * dpr, QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(QColor(0, 0, 128));
        QPainter p(&image);
        p.drawTiledPixmap(QRect(0, 0, 2 * 173 + 300, 2 * 171), tile);
        p.setPen(Qt::white);
        p.drawLine(2 * 173 + 2, 0, 2 * 173 + 2, 2 * 171);
        p.drawPixmap(360, 8, artwork::titlePicture(dpr));
        p.drawPixmap(360, 70, artwork::logo(dpr));
        int y = 120;
        for (int i = 0; i < kButtonLetterings.size(); ++i) {
            p.drawPixmap(360 + (i % 2) * 140, y + (i / 2) * 48,
                         artwork::button(kButtonLetterings[i], dpr));
        }
        p.end();
        QVERIFY(image.save(sheetPath(QString("cloth-and-small-pictures-dpr%1.png").arg(dpr))));
    }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
