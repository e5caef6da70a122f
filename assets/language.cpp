// The language the program speaks: chosen from the desktop's settings among the embedded
// catalogs, English when none of them fits.
#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdlib>
#include <memory>

namespace language {

namespace {

const QString kCatalogFolder = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("solmarin_");
const QString kSuffix = QStringLiteral(".qm");

struct Installed {
    QString name;
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed() {
    static Installed state;
    return state;
}

// "pt_BR.UTF-8@euro" -> "pt_BR": the codeset and the modifier say nothing about the language.
QString localeName(const QByteArray& entry) {
    QString name = QString::fromLatin1(entry).trimmed();
    for (const QChar mark : {QLatin1Char('.'), QLatin1Char('@')}) {
        const qsizetype cut = name.indexOf(mark);
        if (cut >= 0)
            name.truncate(cut);
    }
    return name;
}

bool isPlainC(const QString& name) {
    return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX");
}

} // namespace

QStringList available() {
    QStringList names;
    const QStringList files =
        QDir(kCatalogFolder).entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files);
    for (const QString& file : files)
        names << file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
    names.sort();
    return names;
}

QString choose(const std::function<QByteArray(const char*)>& env, const QStringList& available) {
    QString messages;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = localeName(env(variable));
        if (!messages.isEmpty())
            break;
    }
    QStringList wanted;
    // gettext's rule, which the rest of the desktop follows: the list is for a desktop that has
    // a language at all, not for one set to plain C.
    if (!isPlainC(messages))
        for (const QByteArray& entry : env("LANGUAGE").split(':'))
            wanted << localeName(entry);
    wanted << messages;
    for (const QString& entry : wanted) {
        if (isPlainC(entry))
            continue;
        const QString bare = entry.section(QLatin1Char('_'), 0, 0);
        if (bare == QLatin1String("en"))
            return {};
        for (const QString& candidate : {entry, bare})
            if (available.contains(candidate))
                return candidate;
    }
    return {};
}

bool install(const QString& name) {
    Installed& state = installed();
    if (state.program)
        QCoreApplication::removeTranslator(state.program.get());
    if (state.qt)
        QCoreApplication::removeTranslator(state.qt.get());
    state = Installed();
    if (name.isEmpty())
        return true;

    auto program = std::make_unique<QTranslator>();
    if (!program->load(kPrefix + name, kCatalogFolder))
        return false;
    // Qt's own texts (the buttons of the standard boxes, the edit fields' menus) come from the
    // system's catalogs; a language Qt has no catalog for keeps those in English.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + name,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qt->load(QStringLiteral("qtbase_") + name, kCatalogFolder))
        QCoreApplication::installTranslator(qt.get());
    else
        qt.reset();
    QCoreApplication::installTranslator(program.get());
    state.name = name;
    state.program = std::move(program);
    state.qt = std::move(qt);
    return true;
}

void installFromEnvironment() {
    install(choose([](const char* variable) { return qgetenv(variable); }, available()));
}

QString current() {
    return installed().name;
}

} // namespace language
