// Pictures of the window after start-up and after a deal, written into the build folder for a
// look by eye (the README shows one of them).
#include "tablefixture.h"

#include "aboutform.h"

#include <QCoreApplication>
#include <QImage>

class TstScreenshot : public QObject {
    Q_OBJECT

private:
    static QString outputPath(const QString& name) {
        // The test programs live in <build>/bin; the pictures go into <build>.
        QDir build(QCoreApplication::applicationDirPath());
        build.cdUp();
        return build.filePath(name);
    }

    // Writes the window as it is drawn and checks that the picture is a real one: the table's
    // size and more than a handful of colours.
    static void writeShot(Tmain& window, const QString& name) {
        const QImage image = window.grab().toImage();
        QCOMPARE(image.size(), window.size() * window.devicePixelRatio());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 50, "the table is drawn, not a blank window");
        const QString path = outputPath(name);
        QVERIFY2(image.save(path), qPrintable(path));
        qInfo("wrote %s", qPrintable(path));
    }

private slots:
    void windowAfterStartUpAndAfterADeal() {
        Table table;
        QVERIFY(table.show());
        writeShot(*table.window, QStringLiteral("screenshot-startup.png"));

        table.window->game().random().setSeed(20240607);
        table.click("button_start");
        writeShot(*table.window, QStringLiteral("screenshot-deal.png"));

        // A few moves into the game, so the picture shows a run under way.
        Table::click(table.control("image_stock"));
        for (int slot = 19; slot <= 28; ++slot)
            Table::click(table.card(slot));
        writeShot(*table.window, QStringLiteral("screenshot-play.png"));
    }

    // The About window over the table.
    void aboutWindow() {
        Table table;
        QVERIFY(table.show());
        table.action("About1")->trigger();
        auto* about = table.window->findChild<Tabout*>();
        QVERIFY(about && QTest::qWaitForWindowExposed(about));
        const QString path = outputPath(QStringLiteral("screenshot-about.png"));
        QVERIFY(about->grab().toImage().save(path));
        qInfo("wrote %s", qPrintable(path));
    }
};

QTEST_MAIN(TstScreenshot)
#include "tst_screenshot.moc"
