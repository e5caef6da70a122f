// The Help window's page texts, embedded in the program.
#include "helpresources.h"

#include "language.h"

#include <QFile>

#include <mutex>

// Q_INIT_RESOURCE names a function of the global namespace, so it cannot be used from inside
// another namespace.
static void registerHelpResources() {
    Q_INIT_RESOURCE(help);
}

void initHelpResources() {
    static std::once_flag once;
    std::call_once(once, registerHelpResources);
}

QString helpText(const QString& page) {
    initHelpResources();
    // A page that is not yet translated shows in English rather than not at all.
    const QString translated = QStringLiteral(":/help/%1/%2.txt").arg(language::current(), page);
    QFile file(!language::current().isEmpty() && QFile::exists(translated)
                   ? translated
                   : QStringLiteral(":/help/%1.txt").arg(page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    // A checkout on another system may have turned the line ends into CR LF.
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}
