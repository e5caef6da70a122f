// The tally window: its labels follow the tally, reset asks first, the file is read and written.
#include "tallylistform.h"

#include "artwork.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>

class TestTallyList : public QObject {
    Q_OBJECT

private:
    std::string tallyPath() const { return (m_dir.path() + "/solmarintally.tld").toStdString(); }

    QString text(Ttallylist& window, const char* name) {
        auto* label = window.findChild<QLabel*>(name);
        return label ? label->text() : QString("<missing %1>").arg(name);
    }

    QTemporaryDir m_dir;

private slots:
    void init() {
        QFile::remove(QString::fromStdString(tallyPath()));
        QFile::remove(QString::fromStdString(tallyPath() + ".bad"));
    }

    void firstStartShowsTheDefaultTally() {
        Ttallylist window(QPixmap(), tallyPath());
        window.FormCreate();
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
        Ttallylist window(artwork::clothTile(1.0), tallyPath());
        window.FormCreate();
        window.addtomineincrease(1);
        window.checkforhigher(4, 9);
        QCOMPARE(text(window, "mylabel_1"), QString("1"));
        QCOMPARE(text(window, "mylabel_4"), QString("9"));
        window.checkscore(150, "Ann");
        window.checkscore(40, "Bob");
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
        Ttallylist window(QPixmap(), tallyPath());
        window.FormCreate();
        window.addtomineincrease(1);
        window.checkscore(150, "Ann");
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

        Ttallylist reread(QPixmap(), tallyPath());
        reread.FormCreate();
        QCOMPARE(text(reread, "mylabel_1"), QString("0"));
    }

    void dismissingTheQuestionResetsNothing() {
        Ttallylist window(QPixmap(), tallyPath());
        window.FormCreate();
        window.addtomineincrease(1);
        bool sawQuestion = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            sawQuestion = box->text() == "Are you sure you want to reset the Tally?" &&
                          box->windowTitle() == "Confirm" && box->icon() == QMessageBox::Question;
            box->reject();
        });
        window.button_resetClick();
        QVERIFY(sawQuestion);
        QCOMPARE(text(window, "mylabel_1"), QString("1"));
    }

    void damagedFileIsReportedWhileTheWindowShowsTheDefaults() {
        std::ofstream(tallyPath(), std::ios::binary) << "this is no tally";
        Ttallylist window(QPixmap(), tallyPath());
        QString message;
        try {
            window.FormCreate();
        } catch (const std::exception& e) {
            message = e.what();
        }
        QCOMPARE(message, QString::fromStdString(tallyPath()) +
                              " : Lzrw1 decompression : this file has no valid header !");
        QCOMPARE(text(window, "mylabel_3"), QString("0%"));
        QCOMPARE(text(window, "label_high1"), QString());
    }

    void doneAndTheCloseBoxOnlyHide() {
        auto window = std::make_unique<Ttallylist>(QPixmap(), tallyPath());
        window->FormCreate();
        window->show();
        QVERIFY(window->isVisible());
        QTest::mouseClick(window->findChild<QWidget*>("button_done"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->show();
        window->close();
        QVERIFY(!window->isVisible());
        window->addtomineincrease(1);
        window.reset(); // destroying the window writes the tally
        Ttallylist reread(QPixmap(), tallyPath());
        reread.FormCreate();
        QCOMPARE(text(reread, "mylabel_1"), QString("1"));
    }
};

QTEST_MAIN(TestTallyList)
#include "tst_tallylistform.moc"
