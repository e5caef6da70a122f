// The player name: the name panel at start and from the menu, the ten-character limit on typing,
// and the name the deal greets.
#include "tablefixture.h"

#include <QClipboard>
#include <QGuiApplication>

class TstNamePanel : public QObject {
    Q_OBJECT

private:
    static QLineEdit* typeInto(Table& table, const char* field, const QString& text) {
        QLineEdit* edit = table.control<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        for (const QChar c : text) {
            // Letters outside ASCII arrive as text without a key of their own.
            if (c.unicode() < 128)
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
        }
        return edit;
    }

private slots:
    void doneTakesTheTypedNameUnchanged_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("plain") << "Robin";
        QTest::newRow("blanks kept") << "  Al Bo  ";
        QTest::newRow("empty") << "";
        QTest::newRow("symbols") << "a&b=c#d";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Jürgen");
    }
    void doneTakesTheTypedNameUnchanged() {
        QFETCH(QString, typed);
        Table table;
        QVERIFY(table.show());
        QVERIFY(table.visible("panel_name"));
        typeInto(table, "edit_aname", typed);
        table.click("button_namedone");
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), typed);
        // The greeting changes with the next deal, not before.
        QCOMPARE(table.text("label_name"),
                 QStringLiteral("Welcome to Solmarin by Velbor Software!"));
        table.click("button_start");
        QCOMPARE(table.text("label_name"), "Good Luck " + typed);
    }

    void typingStopsAtTenCharacters() {
        Table table;
        QVERIFY(table.show());
        QLineEdit* edit = typeInto(table, "edit_aname", "abcdefghijklmn");
        QCOMPARE(edit->text(), QStringLiteral("abcdefghij"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "XYZ");
        QCOMPARE(edit->text(), QStringLiteral("abcdefghiX"));

        // A paste keeps as much as fits.
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "1234567");
        QGuiApplication::clipboard()->setText("ABCDEFGH");
        if (QGuiApplication::clipboard()->text() == "ABCDEFGH") {
            edit->paste();
            QCOMPARE(edit->text(), QStringLiteral("1234567ABC"));
        }
    }

    void longStoredNameIsKeptWholeAndCanOnlyShrink() {
        Table table("[solmarin]\nName=Maximiliane Ostermann\n");
        QVERIFY(table.show());
        QLineEdit* edit = table.control<QLineEdit>("edit_aname");
        QCOMPARE(edit->text(), QStringLiteral("Maximiliane Ostermann"));
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, "x");
        QCOMPARE(edit->text(), QStringLiteral("Maximiliane Ostermann"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("Maximiliane Osterman"));
        QTest::keyClicks(edit, "n");
        QCOMPARE(edit->text(), QStringLiteral("Maximiliane Osterman"));

        // DONE copies the long name whole, and the deal greets with it.
        table.click("button_namedone");
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(),
                 QStringLiteral("Maximiliane Osterman"));
        table.click("button_start");
        QCOMPARE(table.text("label_name"), QStringLiteral("Good Luck Maximiliane Osterman"));
    }

    // Whenever the panel asks, the keys go to the field with its text selected: the first
    // letter typed replaces the old name and Enter takes the new one.
    void typingReplacesTheNameAndEnterTakesIt_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("asked"); // the text selected when the panel asks
        QTest::newRow("at start") << false << "Guest";
        QTest::newRow("Change  Name") << true << "Robin";
    }
    void typingReplacesTheNameAndEnterTakesIt() {
        QFETCH(bool, fromMenu);
        QFETCH(QString, asked);
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        auto* edit = table.control<QLineEdit>("edit_aname");
        if (fromMenu) {
            typeInto(table, "edit_aname", asked);
            QTest::keyClick(edit, Qt::Key_Return);
            table.click("button_start");
            table.action("ChangeName1")->trigger();
        }
        QVERIFY(table.visible("panel_name"));
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), asked);
        // Keys go where the player's keys would: to whatever has the focus. The first comes
        // before the window has finished opening the panel, as a quick typist's does.
        QTest::keyClicks(nullptr, "T");
        QTest::qWait(100);
        QTest::keyClicks(nullptr, "om");
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), QStringLiteral("Tom"));
    }

    void enterTakesTheName() {
        Table table;
        QVERIFY(table.show());
        QLineEdit* edit = typeInto(table, "edit_aname", "Pat");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), QStringLiteral("Pat"));
    }

    // Once a panel closes, the keys are the table's again: the menu's shortcuts work, not the
    // name field's own undo.
    void afterAPanelClosesCtrlZUndoesTheLastMove_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("DONE") << false;
        QTest::newRow("Enter") << true;
    }
    void afterAPanelClosesCtrlZUndoesTheLastMove() {
        QFETCH(bool, byEnter);
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        QLineEdit* edit = typeInto(table, "edit_aname", "Robin");
        QCOMPARE(QApplication::focusWidget(), edit);
        if (byEnter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            table.click("button_namedone");
        table.deal(winnableDeck());
        Table::click(table.card(19));
        QVERIFY(table.landed());
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 1"));
        // Keys go where the player's keys would: to whatever has the focus.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: -3"));
        QCOMPARE(table.control<QLineEdit>("edit_aname")->text(), QStringLiteral("Robin"));
    }

    // What a paste gives: line breaks are refused, a text too long keeps its first characters.
    void pastingKeepsTheFirstTenCharactersAndRefusesLineBreaks_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectLength");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("over part of a full field") << "1234567890" << 2 << 2 << "ABCD"
                                                   << "12ABCD5678";
        QTest::newRow("over the whole field") << "Guest" << 0 << 5 << "Maximiliane Ostermann"
                                              << "Maximilian";
        QTest::newRow("at the end") << "abc" << 3 << 0 << "DEFGHIJKLMN"
                                    << "abcDEFGHIJ";
        QTest::newRow("line feed") << "Guest" << 0 << 5 << "Ann\nBo"
                                   << "Guest";
        QTest::newRow("carriage return") << "Guest" << 5 << 0 << "\r"
                                         << "Guest";
    }
    void pastingKeepsTheFirstTenCharactersAndRefusesLineBreaks() {
        QFETCH(QString, before);
        QFETCH(int, selectFrom);
        QFETCH(int, selectLength);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        Table table;
        QVERIFY(table.show());
        for (const char* field : {"edit_aname", "edit_name"}) {
            QLineEdit* edit = typeInto(table, field, before);
            QCOMPARE(edit->text(), before);
            edit->setSelection(selectFrom, selectLength);
            edit->insert(pasted); // what a paste does with the clipboard's text
            QCOMPARE(edit->text(), after);
        }
    }

    void dealingInsteadOfDoneDiscardsTheTypedName() {
        Table table;
        QVERIFY(table.show());
        typeInto(table, "edit_aname", "Lee");
        table.click("button_start");
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.text("label_name"), QStringLiteral("Good Luck Guest"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), QStringLiteral("Guest"));
    }

    void changeNameShowsThePanelsOwnLastText() {
        Table table;
        QVERIFY(table.show());
        typeInto(table, "edit_aname", "Ola");
        table.click("button_namedone");
        // The name corrected on the cleared panel is not copied back to the name panel.
        table.control<QLineEdit>("edit_name")->setText("Ola B");
        table.click("button_start");
        table.action("ChangeName1")->trigger();
        QVERIFY(table.visible("panel_name"));
        QCOMPARE(table.control<QLineEdit>("edit_aname")->text(), QStringLiteral("Ola"));
        QCOMPARE(table.control("panel_board1")->childAt(QPoint(210, 100)),
                 table.control("panel_name"));
        // The table stays usable while the panel is open.
        Table::click(table.control("image_stock"));
        QVERIFY(table.landed());
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 22"));
    }

    void nameFieldOfTheClearedPanelAlsoTakesTenTypedCharacters() {
        Table table;
        QVERIFY(table.show());
        table.control("panel_cleared")->show();
        QLineEdit* edit = typeInto(table, "edit_name", "abcdefghijkl");
        QCOMPARE(edit->text(), QStringLiteral("abcdefghij"));
    }
};

QTEST_MAIN(TstNamePanel)
#include "tst_namepanel.moc"
