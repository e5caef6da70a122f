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
    // The tally as the next start would read it.
    static Tally reread(const QString& path) {
        TallyBook book(path.toStdString());
        book.load();
        return book.tally();
    }

private slots:
    void aDealCountsAndAWinEntersTheTableHighlighted() {
        Table table;
        auto* tally = table.window->findChild<Ttallylist*>();
        QVERIFY(tally);
        QVERIFY(table.show());
        table.click("button_start");
        QCOMPARE(tallyText(tally, "mylabel_1"), QString("1"));

        table.control<QLineEdit>("edit_name")->setText("Marianne");
        table.deal(winnableDeck());
        for (int slot : clearingOrder())
            Table::click(table.card(slot));
        QVERIFY(table.landed());
        QVERIFY(table.visible("panel_cleared"));
        QCOMPARE(tallyText(tally, "mylabel_1"), QString("2"));
        QCOMPARE(tallyText(tally, "mylabel_2"), QString("1"));
        QCOMPARE(tallyText(tally, "mylabel_3"), QString("50%"));
        QCOMPARE(tallyText(tally, "mylabel_4"), QString("28"));
        QCOMPARE(tallyText(tally, "label_high1"), QString("586"));
        QCOMPARE(tallyText(tally, "label_name1"), QString("Marianne"));
        QCOMPARE(tally->findChild<QLabel*>("label_high1")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));

        QVERIFY(!tally->isVisible());
        table.action("TallyList1")->trigger();
        QVERIFY(tally->isVisible());
        QVERIFY(tally->isWindow());

        // The won game is on disk already, before any exit.
        const Tally onDisk = reread(table.tallyPath());
        QCOMPARE(onDisk.place(1).score, std::string("586"));
        QCOMPARE(onDisk.statistic(Tally::kGamesCleared), std::string("1"));

        table.click("button_start");
        QCOMPARE(tallyText(tally, "mylabel_3"), QString("33%"));
    }

    // A name is shown as typed: markup in it is text, not formatting (nor a picture to load).
    void namesShowAsTypedInTheGreetingAndTheTally() {
        Table table;
        QVERIFY(table.show());
        table.control<QLineEdit>("edit_name")->setText("<s></s>");
        table.deal(winnableDeck());
        for (int slot : clearingOrder())
            Table::click(table.card(slot));
        auto* tally = table.window->findChild<Ttallylist*>();
        for (QLabel* label :
             {table.control<QLabel>("label_name"), tally->findChild<QLabel*>("label_name1")}) {
            QVERIFY(label->text().endsWith("<s></s>"));
            const int shown = label->sizeHint().width();
            QVERIFY2(shown >= QFontMetrics(label->font()).horizontalAdvance(label->text()),
                     qPrintable(label->objectName()));
        }
    }

    void aLostGameIsSavedAtOnce() {
        Table table;
        QVERIFY(table.show());
        table.deal(losingDeck());
        for (int i = 0; i < 23; ++i)
            table.click("image_stock");
        QVERIFY(table.landed());
        QVERIFY(table.visible("panel_lost"));
        QCOMPARE(reread(table.tallyPath()).statistic(Tally::kTotalGames), std::string("1"));
    }

    // Until the table's first frame only the main window exists; the tally is there already.
    void aGameDealtBeforeTheOtherWindowsExistIsCounted() {
        QTemporaryDir folder;
        paths::setProgramFolder(folder.path());
        {
            std::exception_ptr loadError;
            auto book = Application::openTally(loadError);
            Tmain window(*book, [](const std::string&) {});
            window.button_startClick();
            Application::createSecondaryWindows(window, *book);
            QCOMPARE(tallyText(window.findChild<Ttallylist*>(), "mylabel_1"), QString("1"));
        }
        paths::setProgramFolder(QString());
    }

    void aDamagedTallyFileIsReportedAndTheTableStillComesUp() {
        QString file;
        {
            Table table(nullptr, "GARBAGE!");
            file = table.tallyPath();
            QCOMPARE(table.errors, QStringList{file + " : Lzrw1 decompression : this file has no "
                                                      "valid header !"});
            auto* tally = table.window->findChild<Ttallylist*>();
            QCOMPARE(tallyText(tally, "mylabel_3"), QString("0%"));
            QVERIFY(table.show());
            table.click("button_start");
            QCOMPARE(tallyText(tally, "mylabel_1"), QString("1"));
            table.window.reset();
            table.tally->save();
            QVERIFY(QFile::exists(file + ".bad"));
            QCOMPARE(reread(file).statistic(Tally::kTotalGames), std::string("1"));
        }
    }
};

QTEST_MAIN(TstTallyIntegration)
#include "tst_tallyintegration.moc"
