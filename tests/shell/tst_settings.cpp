// The settings file as the main window reads it at start and writes it on the sound toggle and
// at close.
#include "tablefixture.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

namespace {

// The values of the file's keys, in the order they stand in the file.
QStringList keyLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts))
        if (!line.startsWith('['))
            lines << line;
    return lines;
}

} // namespace

class TstSettings : public QObject {
    Q_OBJECT

private slots:
    void firstStartUsesDefaultsAndCloseWritesAllSixKeys() {
        Table table;
        QVERIFY(!QFile::exists(table.settingsPath()));
        QCOMPARE(table.window->pos(), QPoint(3, 3));
        QCOMPARE(table.window->size(), QSize(774, 541));
        QVERIFY(table.action("PlaySounds1")->isChecked());
        QCOMPARE(table.control<QLineEdit>("edit_aname")->text(), QStringLiteral("Guest"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), QStringLiteral("Guest"));

        QVERIFY(table.show());
        table.window->close();
        const QString text = table.settingsText();
        QVERIFY(text.startsWith("[solmarin]"));
        QCOMPARE(keyLines(text), QStringList({"Top=3", "Left=3", "Width=774", "Height=541",
                                              "Name=Guest", "Sounds=yes"}));
    }

    void storedValuesAreApplied_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("bounds"); // left, top, width, height
        QTest::addColumn<bool>("sounds");
        QTest::addColumn<QString>("name");
        QTest::newRow("all keys") << QByteArray("[solmarin]\nTop=40\nLeft=50\nWidth=900\n"
                                                "Height=640\nName=Ann\nSounds=yes\n")
                                  << QRect(50, 40, 900, 640) << true << "Ann";
        QTest::newRow("hexadecimal") << QByteArray("[solmarin]\nTop=0x20\nWidth=0x384\n")
                                     << QRect(3, 32, 900, 541) << true << "Guest";
        QTest::newRow("a bad value leaves the others")
            << QByteArray("[solmarin]\nTop=abc\nLeft=77\n") << QRect(77, 3, 774, 541) << true
            << "Guest";
        QTest::newRow("sounds off only for no")
            << QByteArray("[solmarin]\nSounds=no\n") << QRect(3, 3, 774, 541) << false << "Guest";
        QTest::newRow("NO leaves sounds on")
            << QByteArray("[solmarin]\nSounds=NO\n") << QRect(3, 3, 774, 541) << true << "Guest";
        QTest::newRow("off leaves sounds on")
            << QByteArray("[solmarin]\nSounds=off\n") << QRect(3, 3, 774, 541) << true << "Guest";
        QTest::newRow("empty name stays empty")
            << QByteArray("[solmarin]\nName=\n") << QRect(3, 3, 774, 541) << true << "";
        QTest::newRow("long name kept whole")
            << QByteArray("[solmarin]\nName=Maximiliane Ostermann\n") << QRect(3, 3, 774, 541)
            << true << "Maximiliane Ostermann";
        QTest::newRow("case of section and keys") << QByteArray("[SOLMARIN]\nname=Bo\nSOUNDS=no\n")
                                                  << QRect(3, 3, 774, 541) << false << "Bo";
        QTest::newRow("other section only")
            << QByteArray("[other]\nName=Zed\n") << QRect(3, 3, 774, 541) << true << "Guest";
    }
    void storedValuesAreApplied() {
        QFETCH(QByteArray, file);
        QFETCH(QRect, bounds);
        QFETCH(bool, sounds);
        QFETCH(QString, name);
        Table table(file.constData());
        QCOMPARE(table.window->pos(), bounds.topLeft());
        QCOMPARE(table.window->size(), bounds.size());
        QCOMPARE(table.action("PlaySounds1")->isChecked(), sounds);
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), name);
        QCOMPARE(table.control<QLineEdit>("edit_aname")->text(), name);
        // The start-up sound follows the stored choice.
        QCOMPARE(table.count("entered"), sounds ? 1 : 0);
    }

    // A stored place where less than 100 x 100 pixels of the window would show (a monitor that
    // is gone, another screen size) gives way to the default place, which close then saves.
    void aPlaceOffTheScreensFallsBackToTheDefault_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("kept");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("right of it") << screen.right() + 500 << 3 << false;
        QTest::newRow("far left") << -5000 << 3 << false;
        QTest::newRow("99 pixels showing") << screen.right() + 1 - 99 << 3 << false;
        QTest::newRow("above it") << 3 << screen.top() - 541 + 50 << false;
        QTest::newRow("below it") << 3 << screen.bottom() + 1 - 99 << false;
        QTest::newRow("100 pixels showing") << screen.right() + 1 - 100 << 3 << true;
        QTest::newRow("partly off to the left") << -600 << 20 << true;
    }
    void aPlaceOffTheScreensFallsBackToTheDefault() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, kept);
        const QByteArray file = "[solmarin]\nTop=" + QByteArray::number(top) +
                                "\nLeft=" + QByteArray::number(left) + "\n";
        Table table(file.constData());
        const QPoint expected = kept ? QPoint(left, top) : QPoint(3, 3);
        QCOMPARE(table.window->pos(), expected);
        QCOMPARE(table.window->size(), QSize(774, 541));
        table.window->close();
        QVERIFY(table.settingsText().contains(QStringLiteral("Left=%1\n").arg(expected.x())));
        QVERIFY(table.settingsText().contains(QStringLiteral("Top=%1\n").arg(expected.y())));
    }

    void storedSizeBelowTheBoardIsRaisedToTheMinimum() {
        Table table("[solmarin]\nWidth=200\nHeight=100\n");
        QVERIFY(table.window->centralWidget()->minimumSize().width() >= 771);
        QVERIFY(table.show());
        QTRY_VERIFY(table.window->centralWidget()->width() >= 771);
        QTRY_VERIFY(table.window->centralWidget()->height() >= 500);
    }

    void resetScreenLocationIsWhatCloseSaves() {
        Table table;
        QVERIFY(table.show());
        table.window->move(120, 80);
        table.window->resize(900, 650);
        QTRY_COMPARE(table.window->size(), QSize(900, 650));
        table.action("ResetScreenLocation1")->trigger();
        QCOMPARE(table.window->pos(), QPoint(3, 3));
        QCOMPARE(table.window->size(), QSize(774, 541));
        QVERIFY2(!QFile::exists(table.settingsPath()), "nothing is saved until the close");
        table.window->close();
        QCOMPARE(keyLines(table.settingsText()).mid(0, 4),
                 QStringList({"Top=3", "Left=3", "Width=774", "Height=541"}));
    }

    void movedWindowIsSavedWhereItStands() {
        Table table;
        QVERIFY(table.show());
        table.window->move(100, 60);
        table.window->resize(800, 560);
        QTRY_COMPARE(table.window->size(), QSize(800, 560));
        table.window->close();
        QCOMPARE(keyLines(table.settingsText()).mid(0, 4),
                 QStringList({"Top=60", "Left=100", "Width=800", "Height=560"}));
    }

    void soundToggleSavesEverythingAtOnce() {
        Table table;
        QVERIFY(table.show());
        table.control<QLineEdit>("edit_name")->setText("Kim");
        table.action("PlaySounds1")->trigger();
        QVERIFY(!table.action("PlaySounds1")->isChecked());
        QCOMPARE(
            keyLines(table.settingsText()),
            QStringList({"Top=3", "Left=3", "Width=774", "Height=541", "Name=Kim", "Sounds=no"}));
        // Silenced: the deal asks for no sound.
        const std::size_t heard = table.sounds.size();
        table.click("button_start");
        QCOMPARE(table.sounds.size(), heard);

        table.action("PlaySounds1")->trigger();
        QVERIFY(keyLines(table.settingsText()).contains("Sounds=yes"));
        table.click("button_start");
        QCOMPARE(table.sounds.back(), std::string("startgame"));
    }

    void refusedWriteIsShownAndTheMarkStays() {
        Table table;
        // A folder in the file's place: no write can succeed, even for the superuser.
        QVERIFY(QDir(table.folder.path()).mkdir("solmarin.ini"));
        QVERIFY(table.show());
        table.action("PlaySounds1")->trigger();
        QCOMPARE(table.errors, QStringList({"Unable to write to " + table.settingsPath() + "."}));
        QVERIFY(!table.action("PlaySounds1")->isChecked());
        // The window goes on working after the failure.
        table.click("button_start");
        QVERIFY(table.window->game().playing());

        table.window->close();
        QCOMPARE(table.errors.size(), 2);
        QVERIFY(!table.window->isVisible());
    }
};

QTEST_MAIN(TstSettings)
#include "tst_settings.moc"
