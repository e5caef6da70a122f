// A test build of the game with two changes: the update trusts the public key in "testkey.pub"
// beside the executable (tests make their own key pairs), and a driver plays the player. It
// gives a name, accepts the update offer, reports on standard output what the update panel shows,
// answers message boxes (reporting their text) and closes the game once the update has failed. With
// SOLMARIN_DRIVER=close it closes the game while the download is under way instead.
#include "mainform.h"
#include "update.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

std::string update::trustedKey() {
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/testkey.pub"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

Tmain* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<Tmain*>(widget))
            return main;
    return nullptr;
}

struct Driver {
    QString mode = qEnvironmentVariable("SOLMARIN_DRIVER");
    QString status;
    bool named = false;
    bool accepted = false;
    bool answered = false;
    bool closed = false;

    void poll() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(QStringLiteral("box: ") + box->text());
            answered = true;
            box->accept();
        }
        Tmain* main = mainWindow();
        auto* label = main ? main->findChild<QLabel*>(QStringLiteral("label_update")) : nullptr;
        auto* panel = main ? main->findChild<QWidget*>(QStringLiteral("panel_update")) : nullptr;
        auto* yes =
            main ? main->findChild<QAbstractButton*>(QStringLiteral("button_updateyes")) : nullptr;
        if (!label || !panel || !yes)
            return;
        // The player gives a name first: the offer waits for it.
        auto* done = main->findChild<QAbstractButton*>(QStringLiteral("button_namedone"));
        auto* namePanel = main->findChild<QWidget*>(QStringLiteral("panel_name"));
        if (!named && done && namePanel && namePanel->isVisible()) {
            named = true;
            QTimer::singleShot(0, done, [done] { done->click(); });
        }
        const QString now = label->text();
        if (now != status) {
            status = now;
            say(QStringLiteral("status: ") + now);
        }
        if (!accepted && panel->isVisible()) {
            accepted = true;
            say(QStringLiteral("offer"));
            QTimer::singleShot(0, yes, [yes] { yes->click(); });
        }
        const bool closeNow =
            (mode == QLatin1String("close") && now == QLatin1String("Updating. Please Wait...")) ||
            now == QLatin1String("Download Aborted") || answered;
        if (accepted && closeNow && !closed) {
            closed = true;
            QTimer::singleShot(0, main, [main] { main->close(); });
        }
    }
};

void startDriver() {
    auto* driver = new Driver;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [driver] { driver->poll(); });
    // The last word: what the panel shows when the game ends.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [driver] {
        driver->poll();
        delete driver;
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
