// The standard error box: how an error that no handler caught reaches the player.
#include "errorbox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <exception>

namespace errorbox {

namespace {

Handler& handler() {
    static Handler current;
    return current;
}

// What an exception that is no std::exception says about itself: nothing we can read.
const char* const kUnknownError = QT_TRANSLATE_NOOP("errorbox", "An unexpected error occurred");

// The program's components report their failures in English, each message a fixed text around
// one variable part (a file's name, most often). The known ones reach the player in the
// player's language, with the variable part as it was.
struct KnownMessage {
    const char* before;
    const char* after;
    const char* shown; // %1 stands for the variable part
};
constexpr KnownMessage kKnownMessages[] = {
    {"Unable to write to ", "", QT_TRANSLATE_NOOP("errorbox", "Unable to write to %1")},
    {"", " : Lzrw1 decompression : this file has no valid header !",
     QT_TRANSLATE_NOOP("errorbox", "%1 : this file has no valid header !")},
    {"Lzrw1 : Error reading from input file : ", "",
     QT_TRANSLATE_NOOP("errorbox", "Error reading from the file %1")},
    {"Lzrw1 (de)compression : Failed to open input file : ", "",
     QT_TRANSLATE_NOOP("errorbox", "The file %1 cannot be opened")},
    {"'", "' is not a valid integer value",
     QT_TRANSLATE_NOOP("errorbox", "'%1' is not a valid integer value")},
};

// Messages with no variable part, shown whole.
const char* const kWholeMessages[] = {
    QT_TRANSLATE_NOOP("errorbox", "Unable to write to the temporary folder"),
};

QString localized(const QString& message) {
    if (message == QLatin1String(kUnknownError))
        return QCoreApplication::translate("errorbox", kUnknownError);
    for (const char* whole : kWholeMessages)
        if (message == QLatin1String(whole))
            return QCoreApplication::translate("errorbox", whole);
    for (const KnownMessage& known : kKnownMessages) {
        const QLatin1String before(known.before);
        const QLatin1String after(known.after);
        if (message.size() < before.size() + after.size() || !message.startsWith(before) ||
            !message.endsWith(after))
            continue;
        const QString shown = QCoreApplication::translate("errorbox", known.shown);
        // Untranslated, the message stays exactly as the component wrote it.
        if (shown == QLatin1String(known.shown))
            return message;
        return shown.arg(message.mid(before.size(), message.size() - before.size() - after.size()));
    }
    return message;
}

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
    const QString shown = text(localized(message));
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
