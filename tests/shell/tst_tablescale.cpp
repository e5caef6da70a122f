// The table grown with the window: the same layout at 1.5 and 2 times the size, centred, with
// pictures drawn afresh; back at the designed size nothing has moved. Runs at pixel ratio 2.
#include "tablefixture.h"

#include "artwork.h"
#include "boardaccess.h"
#include "cardanimator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>

namespace {

const QSize kDesigned(774, 541);

// Every widget on the table with its geometry and font, in the order they were made.
struct Layout {
    QList<QPointer<QWidget>> widgets;
    QList<QRect> geometries;
    QList<int> fontSizes;
};

Layout layoutOf(QWidget* board) {
    Layout l;
    for (QWidget* w : board->findChildren<QWidget*>()) {
        // Labels sized to their text are checked by their place only; overlays place themselves.
        if (w->property("solmarinFitsText").toBool() || w->property("solmarinOwnGeometry").toBool())
            continue;
        l.widgets << w;
        l.geometries << w->geometry();
        l.fontSizes << w->font().pixelSize();
    }
    return l;
}

QString outputPath(const QString& name) {
    QDir build(QCoreApplication::applicationDirPath());
    build.cdUp();
    return build.filePath(name);
}

} // namespace

class TstTableScale : public QObject {
    Q_OBJECT

private slots:
    void tableGrowsAsAWholeAndComesBackUnmoved_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("shot");
        QTest::newRow("1.5 x") << 1.5 << "screenshot-scale-1.5x.png";
        QTest::newRow("2 x") << 2.0 << "screenshot-scale-2x.png";
    }
    void tableGrowsAsAWholeAndComesBackUnmoved() {
        QFETCH(double, factor);
        QFETCH(QString, shot);
        Table table;
        QVERIFY(table.show());
        table.window->game().random().setSeed(7);
        table.click("button_start");
        table.click("image_stock");
        QWidget* board = table.control("panel_board");
        QWidget* cloth = board->parentWidget();
        const Layout designed = layoutOf(board);
        const QRect boardAt = board->geometry();
        const QPoint scoreAt = table.control("label_score")->pos();
        // The margins of the designed window, around the table.
        const int designedWide = cloth->width() - 2 * boardAt.left() - boardAt.width();
        const int designedHigh = cloth->height() - 2 * boardAt.top() - boardAt.height();

        table.window->resize(
            QSize(qRound(kDesigned.width() * factor), qRound(kDesigned.height() * factor)));
        QCOMPARE(table.window->boardScale(), factor);
        for (int i = 0; i < designed.widgets.size(); ++i) {
            QWidget* w = designed.widgets[i];
            const QRect d = designed.geometries[i];
            const QRect expected(qRound(d.x() * factor), qRound(d.y() * factor),
                                 qRound(d.width() * factor), qRound(d.height() * factor));
            if (w == board)
                QCOMPARE(w->size(), expected.size());
            else
                QVERIFY2(w->geometry() == expected,
                         qPrintable(w->objectName() + " is out of proportion"));
            if (designed.fontSizes[i] > 0)
                QCOMPARE(w->font().pixelSize(), qRound(designed.fontSizes[i] * factor));
        }
        QCOMPARE(table.control("label_score")->pos(),
                 QPoint(qRound(scoreAt.x() * factor), qRound(scoreAt.y() * factor)));
        // Centred on the cloth: the margins either side differ only as they did, scaled.
        const QRect on = board->geometry();
        QVERIFY(cloth->rect().contains(on));
        const int wide = cloth->width() - 2 * on.left() - on.width();
        const int high = cloth->height() - 2 * on.top() - on.height();
        QVERIFY2(std::abs(wide - designedWide * factor) <= 2,
                 qPrintable(QString("%1 more on the right").arg(wide)));
        QVERIFY2(std::abs(high - designedHigh * factor) <= 2,
                 qPrintable(QString("%1 more below").arg(high)));
        QVERIFY(on.top() > 0);

        // The pictures are drawn for the new size at the screen's ratio, not stretched.
        ImageButton* discard = table.control<ImageButton>("image_discard");
        const qreal ratio = discard->devicePixelRatioF();
        QCOMPARE(ratio, 2.0);
        const QImage drawn = discard->picture().toImage();
        const QImage fresh =
            artwork::card(table.window->game().discard(), ratio * factor).toImage();
        QCOMPARE(drawn.size(), fresh.size());
        QCOMPARE(drawn.size(), QSize(qCeil(71 * ratio * factor), qCeil(96 * ratio * factor)));
        QVERIFY(drawn == fresh);
        const QPixmap tablePicture = table.control<ImageButton>("Image1")->picture();
        QCOMPARE(tablePicture.deviceIndependentSize().toSize(),
                 QSize(qRound(735 * factor), qRound(446 * factor)));

        const QImage image = table.window->grab().toImage();
        QVERIFY(image.save(outputPath(shot)));
        qInfo("wrote %s", qPrintable(outputPath(shot)));

        // Back at the designed size, every widget is where it was, to the pixel.
        table.window->resize(kDesigned);
        QCOMPARE(table.window->boardScale(), 1.0);
        QCOMPARE(board->geometry(), boardAt);
        for (int i = 0; i < designed.widgets.size(); ++i) {
            QVERIFY2(designed.widgets[i]->geometry() == designed.geometries[i],
                     qPrintable(designed.widgets[i]->objectName() + " moved"));
            QCOMPARE(designed.widgets[i]->font().pixelSize(), designed.fontSizes[i]);
        }
        QCOMPARE(table.control("label_score")->pos(), scoreAt);
        QCOMPARE(discard->picture().toImage().size(), QSize(142, 192));

        // A panel the program moves meanwhile grows from its new place.
        QWidget* lost = table.control("panel_lost");
        lost->move(100, 50);
        table.window->resize(
            QSize(qRound(kDesigned.width() * factor), qRound(kDesigned.height() * factor)));
        QCOMPARE(lost->pos(), QPoint(qRound(100 * factor), qRound(50 * factor)));
    }

    // The gold frame of the keys and the green frame of a hint stay around their card as the
    // table grows and shrinks back, not where the card was before.
    void framesFollowTheirCardWhenTheWindowIsResized_data() {
        QTest::addColumn<QString>("mark");
        QTest::newRow("keyboard frame") << "focus_mark";
        QTest::newRow("hint frame") << "hint_mark";
    }
    void framesFollowTheirCardWhenTheWindowIsResized() {
        QFETCH(QString, mark);
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        table.window->animator()->setEnabled(false);
        table.window->game().random().setSeed(7);
        table.click("button_start");
        QWidget* frame = nullptr;
        ImageButton* card = nullptr;
        if (mark == "focus_mark") {
            QTest::keyClick(table.window.get(), Qt::Key_Right);
            BoardAccess* access = table.window->boardAccess();
            card = access->control(access->focusedPlace());
            frame = table.control(mark);
        } else {
            table.action("Hint1")->trigger();
            frame = table.control(mark);
            QTRY_VERIFY(frame->isVisible());
            for (ImageButton* b : frame->parentWidget()->findChildren<ImageButton*>())
                if (b->isVisible() && b->geometry().center() == frame->geometry().center())
                    card = b;
        }
        QVERIFY(card && frame && frame->isVisible());
        const int margin = frame->geometry().right() - card->geometry().right();
        QVERIFY(margin > 0);
        for (double factor : {1.5, 2.0, 1.0}) {
            table.window->resize(
                QSize(qRound(kDesigned.width() * factor), qRound(kDesigned.height() * factor)));
            QCOMPARE(table.window->boardScale(), factor);
            QVERIFY(frame->isVisible());
            QCOMPARE(frame->geometry(),
                     card->geometry().adjusted(-margin, -margin, margin, margin));
            if (factor == 1.5 && mark == "focus_mark") {
                const QString shot = outputPath("screenshot-frame-1.5x.png");
                QVERIFY(table.window->grab().toImage().save(shot));
                qInfo("wrote %s", qPrintable(shot));
            }
        }
    }

    // A window kept larger than designed opens at that size, the table grown to fit it, and
    // the minimum stays the designed table's.
    void savedLargerSizeOpensScaledAndShrinksToTheMinimum() {
        Table table("[solmarin]\nTop=10\nLeft=10\nWidth=1548\nHeight=1082\n");
        QVERIFY(table.show());
        QCOMPARE(table.window->size(), QSize(1548, 1082));
        QCOMPARE(table.window->boardScale(), 2.0);
        QCOMPARE(table.card(19)->geometry(), QRect(18, 422, 142, 192));

        table.window->resize(300, 200);
        QCOMPARE(table.window->boardScale(), 1.0);
        QCOMPARE(table.control("panel_board")->parentWidget()->size(), QSize(771, 500));
        QCOMPARE(table.card(19)->geometry(), QRect(9, 211, 71, 96));

        table.window->resize(1548, 1082);
        table.window->close();
        QVERIFY(table.settingsText().contains("Width=1548"));
        QVERIFY(table.settingsText().contains("Height=1082"));
    }
};

int main(int argc, char** argv) {
    // Pictures must stay sharp on a screen of twice the pixels.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TstTableScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tablescale.moc"
