// The tally window: its labels follow the tally, reset asks first and writes the file.
#include "tallylistform.h"

#include "artwork.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class TestTallyList : public QObject {
    Q_OBJECT

private:
    std::string tallyPath() const { return (m_dir.path() + "/solmarintally.tld").toStdString(); }

    QString text(Ttallylist& window, const char* name) {
        auto* label = window.findChild<QLabel*>(name);
        return label ? label->text() : QString("<missing %1>").arg(name);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TallyBook> m_book;

private slots:
    void init() {
        QFile::remove(QString::fromStdString(tallyPath()));
        m_book = std::make_unique<TallyBook>(tallyPath());
        m_book->load();
    }

    void firstStartShowsTheDefaultTally() {
        Ttallylist window(QPixmap(), *m_book);
        QCOMPARE(window.windowTitle(), QString("Solmarin - Tally List"));
        QCOMPARE(window.size(), QSize(342, 446));
        QCOMPARE(text(window, "mylabel_1"), QString("0"));
        QCOMPARE(text(window, "mylabel_2"), QString("0"));
        QCOMPARE(text(window, "mylabel_3"), QString("0%"));
        QCOMPARE(text(window, "mylabel_4"), QString("0"));
        QCOMPARE(text(window, "Label5"), QString("Longest Chain"));
        for (int r = 1; r <= 10; ++r) {
            QCOMPARE(text(window, qPrintable(QString("label_num%1").arg(r))),
                     QString("%1.").arg(r));
            QCOMPARE(text(window, qPrintable(QString("label_high%1").arg(r))), QString());
        }
        QCOMPARE(window.findChild<QLabel*>("label_date10")->geometry().topLeft(), QPoint(32, 368));
        QCOMPARE(window.findChild<QLabel*>("label_high1")->pos(), QPoint(286, 152));
    }

    void labelsFollowTheRulesAndTheNewestEntryIsRed() {
        Ttallylist window(artwork::clothTile(1.0), *m_book);
        m_book->addtomineincrease(1);
        m_book->checkforhigher(4, 9);
        QCOMPARE(text(window, "mylabel_1"), QString("1"));
        QCOMPARE(text(window, "mylabel_4"), QString("9"));
        m_book->checkscore(150, "Ann");
        m_book->checkscore(40, "Bob");
        auto* high2 = window.findChild<QLabel*>("label_high2");
        auto* name1 = window.findChild<QLabel*>("label_name1");
        QCOMPARE(high2->text(), QString("40"));
        QCOMPARE(high2->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(high2->font().bold());
        QCOMPARE(name1->text(), QString("Ann"));
        QCOMPARE(name1->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(!name1->font().bold());
        QCOMPARE(high2->property("rank").toInt(), 40);
        window.grab().save("tallylist.png");
    }

    void resetAnsweredNoChangesNothingAndYesClearsAndSaves() {
        Ttallylist window(QPixmap(), *m_book);
        m_book->addtomineincrease(1);
        m_book->checkscore(150, "Ann");
        window.confirmReset = [](QWidget*) { return false; };
        QTest::mouseClick(window.findChild<QWidget*>("button_resettally"), Qt::LeftButton);
        QCOMPARE(text(window, "mylabel_1"), QString("1"));
        QCOMPARE(text(window, "label_name1"), QString("Ann"));
        QCOMPARE(window.findChild<QLabel*>("label_name1")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));

        window.confirmReset = [](QWidget*) { return true; };
        QTest::mouseClick(window.findChild<QWidget*>("button_resettally"), Qt::LeftButton);
        QCOMPARE(text(window, "mylabel_1"), QString("0"));
        QCOMPARE(text(window, "mylabel_3"), QString("0%"));
        QCOMPARE(text(window, "label_name1"), QString());
        QVERIFY(QFile::exists(QString::fromStdString(tallyPath())));

        TallyBook reread(tallyPath());
        reread.load();
        QCOMPARE(reread.tally().statistic(Tally::kTotalGames), std::string("0"));
    }

    // Enter takes the default answer, which must be the harmless one.
    void enterOrTheCloseBoxOnTheQuestionResetsNothing_data() {
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("Enter") << true;
        QTest::newRow("close box") << false;
    }
    void enterOrTheCloseBoxOnTheQuestionResetsNothing() {
        QFETCH(bool, pressEnter);
        Ttallylist window(QPixmap(), *m_book);
        m_book->addtomineincrease(1);
        bool sawQuestion = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            sawQuestion = box->text() == "Are you sure you want to reset the Tally?" &&
                          box->windowTitle() == "Confirm" && box->icon() == QMessageBox::Question;
            if (pressEnter)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->reject();
        });
        window.button_resetClick();
        QVERIFY(sawQuestion);
        QCOMPARE(text(window, "mylabel_1"), QString("1"));
    }

    void doneAndTheCloseBoxOnlyHide() {
        auto window = std::make_unique<Ttallylist>(QPixmap(), *m_book);
        window->show();
        QVERIFY(window->isVisible());
        QTest::mouseClick(window->findChild<QWidget*>("button_done"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->show();
        window->close();
        QVERIFY(!window->isVisible());
        m_book->addtomineincrease(1);
        window->show();
        QCOMPARE(text(*window, "mylabel_1"), QString("1"));
    }
};

QTEST_MAIN(TestTallyList)
#include "tst_tallylistform.moc"
