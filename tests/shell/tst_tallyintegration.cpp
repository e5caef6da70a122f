// The tally as the player meets it: games counted through the table, the tally window, its file.
#include "tablefixture.h"

#include "tallylistform.h"

#include <fstream>

class TstTallyIntegration : public QObject {
    Q_OBJECT

private:
    static QString tallyText(Ttallylist* tally, const char* label) {
        return tally->findChild<QLabel*>(label)->text();
    }

private slots:
    void aDealCountsAndAWinEntersTheTableHighlighted() {
        Table table;
        Ttallylist* tally = table.window->tallyWindow();
        QVERIFY(tally);
        QVERIFY(table.show());
        table.click("button_start");
        QCOMPARE(tallyText(tally, "mylabel_1"), QString("1"));

        table.control<QLineEdit>("edit_name")->setText("Marianne");
        table.deal(winnableDeck());
        for (int slot : clearingOrder())
            Table::click(table.card(slot));
        QVERIFY(table.visible("panel_cleared"));
        QCOMPARE(tallyText(tally, "mylabel_1"), QString("2"));
        QCOMPARE(tallyText(tally, "mylabel_2"), QString("1"));
        // The percentage catches up only at the next start.
        QCOMPARE(tallyText(tally, "mylabel_3"), QString("0%"));
        QCOMPARE(tallyText(tally, "mylabel_4"), QString("28"));
        QCOMPARE(tallyText(tally, "label_high1"), QString("586"));
        QCOMPARE(tallyText(tally, "label_name1"), QString("Marianne"));
        QCOMPARE(tally->findChild<QLabel*>("label_high1")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));

        QVERIFY(!tally->isVisible());
        table.window->TallyList1->trigger();
        QVERIFY(tally->isVisible());
        QVERIFY(tally->isWindow());

        // The won game is on disk already, before any exit.
        Ttallylist reread(QPixmap(), table.window->tallyFile().toStdString());
        reread.FormCreate();
        QCOMPARE(tallyText(&reread, "label_high1"), QString("586"));
        QCOMPARE(tallyText(&reread, "mylabel_2"), QString("1"));

        table.click("button_start");
        QCOMPARE(tallyText(tally, "mylabel_3"), QString("33%"));
    }

    void aLostGameIsSavedAtOnce() {
        Table table;
        QVERIFY(table.show());
        table.deal(losingDeck());
        for (int i = 0; i < 23; ++i)
            table.click("image_stock");
        QVERIFY(table.visible("panel_lost"));
        Ttallylist reread(QPixmap(), table.window->tallyFile().toStdString());
        reread.FormCreate();
        QCOMPARE(tallyText(&reread, "mylabel_1"), QString("1"));
    }

    void aDamagedTallyFileIsReportedAndTheTableStillComesUp() {
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath("solmarintally.tld");
        std::ofstream(file.toStdString(), std::ios::binary) << "GARBAGE!";
        paths::setProgramFolder(folder.path());
        QStringList errors;
        errorbox::setHandler([&](const QString& text) { errors << text; });
        {
            auto window = Application::createWindows([](const std::string&) {});
            QCOMPARE(
                errors,
                QStringList{file + " : Lzrw1 decompression : this file has no valid header !"});
            QCOMPARE(tallyText(window->tallyWindow(), "mylabel_3"), QString("0%"));
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            window->button_startClick();
            QCOMPARE(tallyText(window->tallyWindow(), "mylabel_1"), QString("1"));
        }
        QVERIFY(QFile::exists(file + ".bad"));
        Ttallylist reread(QPixmap(), file.toStdString());
        reread.FormCreate();
        QCOMPARE(tallyText(&reread, "mylabel_1"), QString("1"));
        errorbox::setHandler({});
        paths::setProgramFolder(QString());
    }
};

QTEST_MAIN(TstTallyIntegration)
#include "tst_tallyintegration.moc"
