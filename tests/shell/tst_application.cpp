// The standard error box: what escapes a handler is shown once, with the full stop rule, and the
// program goes on with the next event.
#include "application.h"
#include "errorbox.h"
#include "imagebutton.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// An object whose handler of a posted event fails, as a timer tick or a queued call would.
class FailingObject : public QObject {
public:
    static const QEvent::Type kFail = QEvent::User;
    std::string message = "Unable to write to /tmp/x.ini";
    int handled = 0;

    bool event(QEvent* event) override {
        if (event->type() != kFail)
            return QObject::event(event);
        ++handled;
        throw std::runtime_error(message);
    }
    void fail() { QCoreApplication::postEvent(this, new QEvent(kFail)); }
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
        QCOMPARE(errorbox::text(message), shown);
    }

    void exceptionFromAnEventHandlerIsShownAndTheProgramGoesOn() {
        QStringList boxes;
        errorbox::setHandler([&](const QString& text) { boxes << text; });
        FailingObject object;
        object.fail();
        QTRY_COMPARE(boxes, QStringList({"Unable to write to /tmp/x.ini."}));
        object.message = "Second failure!";
        object.fail();
        QTRY_COMPARE(boxes.size(), 2);
        QCOMPARE(boxes.last(), QStringLiteral("Second failure!"));
        QCOMPARE(object.handled, 2);

        // A timer tick that fails is shown the same way, and later ticks still come.
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (++ticks == 1)
                throw std::runtime_error("tick");
        });
        timer.start(1);
        QTRY_VERIFY(ticks >= 3);
        timer.stop();
        QCOMPARE(boxes.size(), 3);
        QCOMPARE(boxes.last(), QStringLiteral("tick."));
        errorbox::setHandler({});
    }

    void exceptionFromAButtonHandlerLeavesTheButtonWorking() {
        QStringList boxes;
        errorbox::setHandler([&](const QString& text) { boxes << text; });
        ImageButton button;
        button.resize(126, 40);
        int clicks = 0;
        QObject::connect(&button, &ImageButton::clicked, [&] {
            errorbox::guard([&] {
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
        errorbox::setHandler({});
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
        FailingObject object;
        object.message = "Unable to write to /nowhere/solmarin.ini";
        object.fail();
        QTRY_COMPARE(object.handled, 1);
        QTRY_VERIFY(!caption.isEmpty());

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
