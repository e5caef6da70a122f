// The game in every language: each text fits its control in every window and panel, the files and
// the score post are those of the English game byte for byte, and pictures of the table, a panel
// and the Help window for a look by eye.
#include "aboutform.h"
#include "artwork.h"
#include "buttoncomps.h"
#include "helpform.h"
#include "highscoreform.h"
#include "language.h"
#include "loopbackserver.h"
#include "serveraddress.h"
#include "tablefixture.h"
#include "tallylistform.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenuBar>
#include <QTimer>

namespace {

QStringList languages() {
    return QStringList{QString()} + language::available();
}

QString languageTag(const QString& name) {
    return name.isEmpty() ? QStringLiteral("en") : name;
}

// A button's lettering shrinks to fit, but below this pixel size it is hard to read.
constexpr int kLegibleLettering = 10;

// Where a label draws its one line of text, in its parent's coordinates.
QRect textRect(const QLabel* label) {
    const QRect box = label->contentsRect().translated(label->pos());
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    QRect text(box.left(), box.top(), width, box.height());
    if (label->alignment() & Qt::AlignRight)
        text.moveRight(box.right());
    else if (label->alignment() & Qt::AlignHCenter)
        text.moveLeft(box.left() + (box.width() - width) / 2);
    return text;
}

bool shown(const QWidget* widget, const QWidget* window) {
    return widget->isVisibleTo(window) && widget->isVisible();
}

// The texts of `window`'s visible controls that leave their control, run out of their parent or
// into the text of a neighbouring label.
QStringList misfits(QWidget* window, const QString& scene) {
    QStringList found;
    auto fault = [&](const QWidget* widget, const QString& text, const char* how) {
        found << QStringLiteral("%1: %2 \"%3\" %4")
                     .arg(scene, widget->objectName(), text, QLatin1String(how));
    };
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (!shown(label, window) || label->text().isEmpty())
            continue;
        const QRect box = label->contentsRect();
        if (label->wordWrap()) {
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(0, 0, box.width(), 10000), Qt::TextWordWrap | label->alignment(),
                label->text());
            if (needed.width() > box.width() || needed.height() > box.height())
                fault(label, label->text(), "wraps out of its box");
            continue;
        }
        const QRect text = textRect(label);
        if (text.width() > box.width())
            fault(label, label->text(), "is wider than its label");
        const QWidget* parent = label->parentWidget();
        if (text.left() < 0 || text.right() >= parent->width())
            fault(label, label->text(), "runs out of its panel");
        for (QLabel* other : labels) {
            if (other == label || other->parentWidget() != parent || !shown(other, window) ||
                other->text().isEmpty() || other->text() == label->text())
                continue;
            const QRect otherText = textRect(other);
            if (otherText.top() < text.bottom() && text.top() < otherText.bottom() &&
                text.intersects(otherText) && label->x() < other->x())
                fault(label, label->text(), "runs into its neighbour");
        }
    }
    for (TSelButton* button : window->findChildren<TSelButton*>()) {
        if (!shown(button, window))
            continue;
        // Left-aligned captions start 5 pixels in; every caption stays inside the border.
        const int margin = button->alignment() & Qt::AlignHCenter ? 2 : 5 + 1;
        if (QFontMetrics(button->font()).horizontalAdvance(button->caption()) >
            button->width() - margin)
            fault(button, button->caption(), "is wider than its button");
    }
    for (TFlatPanel* panel : window->findChildren<TFlatPanel*>()) {
        if (shown(panel, window) && !panel->caption().isEmpty() &&
            QFontMetrics(panel->font()).horizontalAdvance(panel->caption()) > panel->width() - 2)
            fault(panel, panel->caption(), "is wider than its panel");
    }
    for (ImageButton* button : window->findChildren<ImageButton*>()) {
        if (shown(button, window) && button->size() == QSize(126, 40) &&
            !button->accessibleName().isEmpty() &&
            artwork::buttonLetteringSize(button->accessibleName()) < kLegibleLettering)
            fault(button, button->accessibleName(), "is too long for its picture");
    }
    return found;
}

// Texts that a control shows only at moments a test cannot easily reach, measured in the
// control that shows them.
QStringList misfitsOf(const QWidget* control, const QStringList& texts, int room) {
    QStringList found;
    for (const QString& text : texts)
        if (QFontMetrics(control->font()).horizontalAdvance(text) > room)
            found << QStringLiteral("%1: \"%2\" is wider than %3")
                         .arg(control->objectName(), text, QString::number(room));
    return found;
}

void clearBoard(Table& table) {
    table.deal(winnableDeck());
    for (int slot : clearingOrder())
        table.window->card_19Click(table.card(slot));
}

QString buildFolder() {
    QDir build(QCoreApplication::applicationDirPath());
    build.cdUp();
    return build.path();
}

void writeShot(QWidget* window, const QString& name) {
    const QImage image = window->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 20, qPrintable(name + " is drawn, not blank"));
    const QString path = QDir(buildFolder()).filePath(name);
    QVERIFY2(image.save(path), qPrintable(path));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        language::install({});
        serveraddress::setConfigured({});
    }

    void everyTextFitsItsControl_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : languages())
            QTest::newRow(qPrintable(languageTag(name))) << name;
    }
    void everyTextFitsItsControl() {
        QFETCH(QString, name);
        QVERIFY(language::install(name));
        Table table;
        QVERIFY(table.show());
        Tmain* window = table.window.get();
        QStringList found = misfits(window, QStringLiteral("name panel"));

        // The largest deal number and a move, so that the undo button shows too.
        window->game().random().setSeed(4294967295u);
        table.click("button_start");
        table.click("image_stock");
        found << misfits(window, QStringLiteral("game"));
        found << misfitsOf(
            table.control("label_nowin"),
            {Tmain::tr("This game can no longer be won."), Tmain::tr("This deal cannot be won.")},
            table.control("panel_board1")->width() - 1 - table.control("label_nowin")->x());
        QMenuBar* menu = window->menuBar();
        if (menu->sizeHint().width() > window->width())
            found << QStringLiteral("the menu bar is wider than the window");

        table.deal(losingDeck());
        for (int i = 0; i < 23; ++i)
            table.click("image_stock");
        QVERIFY(table.landed());
        QVERIFY(table.visible("panel_lost"));
        found << misfits(window, QStringLiteral("lost panel"));

        clearBoard(table);
        QVERIFY(table.landed());
        QVERIFY(table.visible("panel_cleared"));
        found << misfits(window, QStringLiteral("cleared panel"));
        auto* wait = table.control<TFlatPanel>("panel_wait");
        QStringList captions;
        for (int dots = 1; dots <= 6; ++dots)
            captions << Tmain::tr("Posting Score, Please Wait") + QString(dots, QLatin1Char('.'));
        captions << Tmain::tr("Posting Score, Please Wait......");
        found << misfitsOf(wait, captions, wait->width() - 2);
        table.control("panel_cleared")->hide();

        table.control("panel_update")->show();
        found << misfits(window, QStringLiteral("update panel"));
        found << misfitsOf(table.control("label_update"),
                           {Tmain::tr("Updating. Please Wait..."),
                            Tmain::tr("Received %1 bytes").arg(999999999), Tmain::tr("Installing"),
                            Tmain::tr("Download Aborted")},
                           table.control("label_update")->width());

        Ttallylist* tally = window->tallyWindow();
        tally->show();
        found << misfits(tally, QStringLiteral("tally"));
        for (const char* lettering : {"RESET TALLY", "DONE"})
            if (artwork::buttonLetteringSize(Ttallylist::tr(lettering)) < kLegibleLettering)
                found << QStringLiteral("tally: %1 is too long for its picture")
                             .arg(Ttallylist::tr(lettering));

        auto* help = window->findChild<Thelp*>();
        help->show();
        for (TSelButton* page : {help->SelButton1, help->SelButton3, help->SelButton4,
                                 help->SelButton5, help->SelButton6}) {
            help->SelButton1Click(page);
            found << misfits(help, QStringLiteral("help ") + page->caption());
        }
        auto* about = window->findChild<Tabout*>();
        about->show();
        found << misfits(about, QStringLiteral("about"));
        Thighscore* list = window->highscoreWindow();
        list->show();
        found << misfits(list, QStringLiteral("high scores"));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // The player's files and the score post say the same in every language: the settings and
    // the tally after the same game, and the bytes of the post and the list request.
    void filesAndScorePostAreTheSameInEveryLanguage() {
        struct Run {
            QString name;
            QByteArray settings;
            QByteArray tally;
            std::vector<std::string> requests;
        };
        std::vector<Run> runs;
        // One server for all, so that every settings file names the same address.
        LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>ok</p>");
        for (const QString& name : languages()) {
            QVERIFY(language::install(name));
            const std::size_t before = server.requests().size();
            const QByteArray settings = QByteArray("[solmarin]\nName=Zo\xc3\xab\nServer=") +
                                        server.hostPort().c_str() + "\n";
            Run run{name, {}, {}, {}};
            {
                Table table(settings.constData());
                QVERIFY(table.show());
                table.window->move(40, 30);
                clearBoard(table);
                QVERIFY(table.landed());
                QVERIFY(table.visible("panel_cleared"));
                table.click("button_sendscore");
                QTRY_VERIFY_WITH_TIMEOUT(server.requests().size() >= before + 2, 10000);
                table.window->close();
                table.tally->save();
                run.settings = fileBytes(table.settingsPath());
                run.tally = fileBytes(table.tallyPath());
                const std::vector<std::string> all = server.requests();
                run.requests.assign(all.begin() + long(before), all.end());
            }
            QVERIFY(!run.settings.isEmpty() && !run.tally.isEmpty());
            QVERIFY(run.requests.front().find("name=Zo") != std::string::npos);
            runs.push_back(run);
        }
        const Run& english = runs.front();
        for (const Run& run : runs) {
            const QByteArray tag = languageTag(run.name).toLatin1();
            QVERIFY2(run.settings == english.settings,
                     (tag + "\n" + run.settings + "\n" + english.settings).constData());
            QVERIFY2(run.tally == english.tally, tag.constData());
            QVERIFY2(run.requests == english.requests, tag.constData());
        }
    }

    // The components' English messages reach the player in the player's language, with the
    // file they name as it is; a message the program does not know stays as it came.
    void componentMessagesAreShownInThePlayersLanguage_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("named");
        QTest::newRow("settings not written")
            << "Unable to write to /home/zoë/.config/solmarin/solmarin.ini"
            << "/home/zoë/.config/solmarin/solmarin.ini";
        QTest::newRow("tally without header")
            << "/tmp/t/solmarintally.tld : Lzrw1 decompression : this file has no valid header !"
            << "/tmp/t/solmarintally.tld";
        QTest::newRow("tally not read")
            << "Lzrw1 : Error reading from input file : /tmp/t/solmarintally.tld (LZH)"
            << "/tmp/t/solmarintally.tld (LZH)";
        QTest::newRow("tally not opened")
            << "Lzrw1 (de)compression : Failed to open input file : /tmp/t/a b.tld"
            << "/tmp/t/a b.tld";
        QTest::newRow("bad number") << "'12x' is not a valid integer value"
                                    << "12x";
        QTest::newRow("unknown error") << "An unexpected error occurred"
                                       << "";
        QTest::newRow("message of its own") << "HTTP component is busy" << QString();
    }
    void componentMessagesAreShownInThePlayersLanguage() {
        QFETCH(QString, message);
        QFETCH(QString, named);
        QStringList shown;
        errorbox::setHandler([&](const QString& text) { shown << text; });
        for (const QString& name : languages()) {
            QVERIFY(language::install(name));
            shown.clear();
            errorbox::show(message);
            QCOMPARE(shown.size(), 1);
            const QByteArray tag = languageTag(name).toUtf8();
            if (name.isEmpty() || named.isNull()) {
                QCOMPARE(shown.front(), errorbox::text(message));
            } else {
                QVERIFY2(shown.front() != errorbox::text(message), tag.constData());
                QVERIFY2(shown.front().contains(named), tag.constData());
            }
        }
        errorbox::setHandler({});
    }

    void picturesOfEveryLanguage() {
        for (const QString& name : languages()) {
            QVERIFY(language::install(name));
            const QString tag = languageTag(name);
            Table table;
            QVERIFY(table.show());
            table.window->game().random().setSeed(20240607);
            table.click("button_start");
            table.click("image_stock");
            for (int slot = 19; slot <= 28; ++slot)
                Table::click(table.card(slot));
            QVERIFY(table.landed());
            writeShot(table.window.get(), QStringLiteral("screenshot-%1-table.png").arg(tag));
            clearBoard(table);
            QVERIFY(table.landed());
            writeShot(table.window.get(), QStringLiteral("screenshot-%1-panel.png").arg(tag));
            auto* help = table.window->findChild<Thelp*>();
            help->show();
            help->SelButton1Click(help->SelButton4);
            writeShot(help, QStringLiteral("screenshot-%1-help.png").arg(tag));
            Ttallylist* tally = table.window->tallyWindow();
            tally->show();
            writeShot(tally, QStringLiteral("screenshot-%1-tally.png").arg(tag));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
