// The standard error box: how an error that no handler caught reaches the player.
#include "errorbox.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace errorbox {

namespace {

Handler& handler() {
    static Handler current;
    return current;
}

// What an exception that is no std::exception says about itself: nothing we can read.
const char* const kUnknownError = "An unexpected error occurred";

} // namespace

void guard(const std::function<void()>& run) {
    try {
        run();
    } catch (...) {
        showCurrentException();
    }
}

void showCurrentException() {
    try {
        throw;
    } catch (const std::exception& error) {
        show(QString::fromUtf8(error.what()));
    } catch (...) {
        show(QString::fromUtf8(kUnknownError));
    }
}

QString text(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show(const QString& message) {
    const QString shown = text(message);
    if (handler()) {
        handler()(shown);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Solmarin"), shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Messages name files and folders, whose names may look like markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void setHandler(Handler replacement) {
    handler() = std::move(replacement);
}

} // namespace errorbox
