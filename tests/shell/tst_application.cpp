// The standard error box: what escapes a handler is shown once, with the full stop rule, and the
// program goes on with the next event.
#include "application.h"
#include "imagebutton.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// A widget whose mouse press handler fails.
class FailingWidget : public QWidget {
public:
    std::string message = "Unable to write to /tmp/x.ini";
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override {
        ++presses;
        throw std::runtime_error(message);
    }
};

} // namespace

class TstApplication : public QObject {
    Q_OBJECT

private slots:
    void fullStopIsAddedOnlyAfterCharactersSortingAfterIt_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Unable to write to /a/solmarin.ini"
                                << "Unable to write to /a/solmarin.ini.";
        QTest::newRow("digit") << "Error 404"
                               << "Error 404.";
        QTest::newRow("slash sorts after the stop") << "path/"
                                                    << "path/.";
        QTest::newRow("already a stop") << "Done."
                                        << "Done.";
        QTest::newRow("exclamation mark") << "Oops!"
                                          << "Oops!";
        QTest::newRow("blank") << "trailing "
                               << "trailing ";
        QTest::newRow("comma") << "a,"
                               << "a,";
        QTest::newRow("hyphen") << "a-"
                                << "a-";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("non-ASCII letter")
            << QString::fromUtf8("Fehler ä") << QString::fromUtf8("Fehler ä.");
    }
    void fullStopIsAddedOnlyAfterCharactersSortingAfterIt() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(Application::errorBoxText(message), shown);
    }

    void exceptionFromAnEventHandlerIsShownAndTheProgramGoesOn() {
        QStringList boxes;
        Application::setErrorBoxHandler([&](const QString& text) { boxes << text; });
        FailingWidget widget;
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));

        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(boxes, QStringList({"Unable to write to /tmp/x.ini."}));
        widget.message = "Second failure!";
        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes.last(), QStringLiteral("Second failure!"));
        QCOMPARE(widget.presses, 2);

        // Timers and other events keep running after the failures.
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        QTRY_VERIFY(ticked);
        Application::setErrorBoxHandler({});
    }

    void exceptionFromAButtonHandlerLeavesTheButtonWorking() {
        QStringList boxes;
        Application::setErrorBoxHandler([&](const QString& text) { boxes << text; });
        ImageButton button;
        button.resize(126, 40);
        int clicks = 0;
        QObject::connect(&button, &ImageButton::clicked, [&] {
            Application::guard([&] {
                ++clicks;
                throw std::runtime_error("broken");
            });
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(boxes, QStringList({"broken.", "broken."}));
        QVERIFY(!button.isDown());
        Application::setErrorBoxHandler({});
    }

    void realBoxIsModalWithCaptionIconAndOk() {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
        bool modal = false;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons();
            modal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        });
        FailingWidget widget;
        widget.message = "Unable to write to /nowhere/solmarin.ini";
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTest::mouseClick(&widget, Qt::LeftButton);

        QCOMPARE(caption, QStringLiteral("Solmarin"));
        QCOMPARE(text, QStringLiteral("Unable to write to /nowhere/solmarin.ini."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons.size(), 1);
        QVERIFY(modal);
    }
};

// The test runs inside the program's own application object, whose event dispatch it tests.
int main(int argc, char** argv) {
    Application app(argc, argv);
    TstApplication test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_application.moc"
