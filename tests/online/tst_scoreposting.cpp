// Posting a score as the player does, through the main window's cleared panel, to lighttpd
// running the real score program, and the wait display when the server keeps silent.
#include "highscoreform.h"
#include "htmllite.h"
#include "httpget.h"
#include "rawserver.h"
#include "scoreserver.h"
#include "serveraddress.h"
#include "tablefixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {

QString serverSettings(const std::string& hostPort) {
    return QString::fromStdString("[solmarin]\nName=Guest\nServer=" + hostPort + "\n");
}

// Clears a stacked board through the window, which opens the cleared panel.
void clearBoard(Table& table) {
    if (!table.window->isVisible())
        QVERIFY(table.show());
    table.deal(winnableDeck());
    for (int slot : clearingOrder())
        table.window->card_19Click(table.card(slot));
    QVERIFY(table.landed());
}

void typeName(Table& table, const QString& name) {
    auto* edit = table.control<QLineEdit>("edit_name");
    edit->clear();
    // As typed or pasted: through the box's own check. (Qt Test types ASCII only.)
    edit->insert(name);
}

QString escaped(const QString& name) {
    return name.toHtmlEscaped();
}

} // namespace

class TestScorePosting : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { serveraddress::setConfigured({}); }

    void postedScoresAppearOnceInTheList() {
        ScoreServer server;
        const QByteArray settings = serverSettings(server.hostPort()).toUtf8();
        Table table(settings.constData());
        Thighscore* list = table.window->highscoreWindow();
        QVERIFY(list);
        const QStringList names = {"a b&c=d#", "<b>x</b>", QString::fromUtf8("Zoë Ærø"), ""};
        for (const QString& typed : names) {
            clearBoard(table);
            QVERIFY(table.visible("panel_cleared"));
            typeName(table, typed);
            const QString name = typed.isEmpty() ? QStringLiteral("Guest") : typed;
            table.control<ImageButton>("button_sendscore")->click();
            QVERIFY(table.control<QTimer>("Timer1")->isActive());
            QTRY_VERIFY(!table.visible("panel_cleared"));
            QVERIFY(!table.control<QTimer>("Timer1")->isActive());
            QTRY_VERIFY(list->isVisible());
            QCOMPARE(table.control<QLineEdit>("edit_name")->text(), name);
            // The list on the screen shows the name once, as typed; the page holds it escaped.
            QTRY_VERIFY2(list->displayhtml->toPlainText().contains(name),
                         qPrintable(name + " in " + list->displayhtml->toPlainText()));
            QCOMPARE(list->displayhtml->toPlainText().count(name), 1);
            const QString page = QString::fromStdString(server.page());
            QCOMPARE(page.count("<td>" + escaped(name) + "</td>"), 1);
            QVERIFY(!page.contains("<b>x</b>"));
            list->hide();
        }
        QCOMPARE(server.storedScores(), long(names.size()));
        QVERIFY(table.errors.isEmpty());
    }

    // Without a server the list window says so inside itself, with no dialog, and asks again
    // the next time it is opened.
    void theListSaysWhenItCannotBeFetchedAndAsksAgainWhenOpened() {
        int closedPort = 0;
        {
            RawServer gone("");
            closedPort = gone.port();
        }
        const QByteArray settings =
            serverSettings("127.0.0.1:" + std::to_string(closedPort)).toUtf8();
        Table table(settings.constData());
        QVERIFY(table.show());
        Thighscore* list = table.window->highscoreWindow();
        auto shown = [list] { return list->displayhtml->toPlainText().trimmed(); };

        table.action("ViewHighScoreList1")->trigger();
        QVERIFY(list->isVisible());
        QCOMPARE(shown(), QStringLiteral("Fetching the high score list..."));
        QTRY_COMPARE(shown(), QStringLiteral("The high score list could not be fetched. The "
                                             "score server cannot be reached; open the list "
                                             "again to try once more."));
        QVERIFY(table.errors.isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(list->isVisible());
        // For a look by eye, beside the other pictures in the build folder.
        const QString shot = QCoreApplication::applicationDirPath() +
                             QStringLiteral("/../screenshot-list-offline.png");
        QVERIFY(list->grab().toImage().save(shot));
        qInfo("wrote %s", qPrintable(shot));
        Table::click(list->button_done);
        QVERIFY(!list->isVisible());

        // The server is back.
        const std::string html = "<p>Best: Ann</p>";
        RawServer server("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(html.size()) +
                         "\r\n\r\n" + html);
        serveraddress::setConfigured(server.hostPort());
        table.action("ViewHighScoreList1")->trigger();
        QCOMPARE(shown(), QStringLiteral("Fetching the high score list..."));
        QTRY_COMPARE(shown(), QStringLiteral("Best: Ann"));
        QCOMPARE(server.requests().size(), std::size_t(1));
    }

    void aRefusedPostFailsAtOnceAndStoresNothing() {
        ScoreServer server;
        const QByteArray settings = serverSettings(server.hostPort()).toUtf8();
        Table table(settings.constData());
        clearBoard(table);
        // A name from the settings file may be longer than the box lets anyone type, and longer
        // than the server keeps.
        auto* edit = table.control<QLineEdit>("edit_name");
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(QString(60, QLatin1Char('n')));
        edit->setValidator(validator);
        table.control<ImageButton>("button_sendscore")->click();
        QTRY_COMPARE(table.errors, QStringList{"Posting Failed."});
        QVERIFY(!table.control<QTimer>("Timer1")->isActive());
        QVERIFY(table.visible("panel_cleared"));
        QVERIFY(table.visible("panel_wait"));
        QVERIFY(!table.window->highscoreWindow()->isVisible());
        QCOMPARE(server.storedScores(), 0L);
    }

    void waitDisplayCountsFortyTicksThenALateAnswerStillOpensTheList() {
        RawServer server("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nok\n", true);
        const QByteArray settings = serverSettings(server.hostPort()).toUtf8();
        Table table(settings.constData());
        clearBoard(table);
        Tmain& window = *table.window;
        table.control<ImageButton>("button_sendscore")->click();
        server.waitForRequests(1);
        QVERIFY(table.visible("panel_wait"));
        QCOMPARE(table.control<TFlatPanel>("panel_wait")->caption(),
                 QString("Posting Score, Please Wait......"));
        for (int tick = 1; tick <= 40; ++tick) {
            QVERIFY(table.control<QTimer>("Timer1")->isActive());
            window.Timer1Timer();
            const int dots = (tick - 1) % 5 + 1;
            QCOMPARE(table.control<TFlatPanel>("panel_wait")->caption(),
                     QString("Posting Score, Please Wait") + QString(dots, QLatin1Char('.')));
            QCOMPARE(table.errors.size(), tick == 40 ? 1 : 0);
        }
        QCOMPARE(table.errors, QStringList{"Posting Failed."});
        QVERIFY(!table.control<QTimer>("Timer1")->isActive());
        QVERIFY(table.visible("panel_wait"));
        // Ticks past zero never repeat the message.
        window.Timer1Timer();
        QCOMPARE(table.errors.size(), 1);

        server.release();
        QTRY_VERIFY(!table.visible("panel_cleared"));
        QTRY_VERIFY(window.highscoreWindow()->isVisible());
    }

    void closingDuringAHangingFetchEndsPromptly() {
        RawServer server("", true);
        const QByteArray settings = serverSettings(server.hostPort()).toUtf8();
        auto table = std::make_unique<Table>(settings.constData());
        table->action("ViewHighScoreList1")->trigger();
        clearBoard(*table);
        table->control<ImageButton>("button_sendscore")->click();
        // The server takes one connection at a time: the list fetch hangs on it, the post waits
        // in its queue.
        server.waitForRequests(1);
        QElapsedTimer closing;
        closing.start();
        table->window->close();
        table.reset();
        // Reported, not asserted: how long the windows took to go with two fetches hanging.
        qInfo("windows closed and destroyed in %lld ms", closing.elapsed());
        server.waitForClientClose();
    }
};

QTEST_MAIN(TestScorePosting)
#include "tst_scoreposting.moc"
