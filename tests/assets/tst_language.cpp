// The program's languages: which catalog a desktop's settings choose, and that every catalog is
// complete, current with the code and installed together with Qt's own one.
#include "helpresources.h"
#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <map>

namespace {

struct Entry {
    QString context;
    QString source;
    QString translation;
    QString type;
};

// The messages of a catalog source, as lupdate wrote them.
QList<Entry> readCatalog(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Entry> entries;
    QString context;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entries.append({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entries.last().type = xml.attributes().value(QLatin1String("type")).toString();
            entries.last().translation = xml.readElementText();
        }
    }
    return entries;
}

QStringList catalogSources(const QString& folder) {
    QStringList paths;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.ts")}, QDir::Files))
        paths << QDir(folder).filePath(name);
    return paths;
}

const QString kCatalogFolder = QStringLiteral(SOLMARIN_SOURCE_DIR "/assets/translations");

QSet<QString> placeholders(const QString& text) {
    QSet<QString> found;
    static const QRegularExpression marker(QStringLiteral("%L?\\d"));
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.insert(match.captured());
    return found;
}

// The catalog's problems: entries left unfinished or empty, and translations that lost a
// placeholder or a keyboard accelerator of their source.
QStringList problems(const QString& path) {
    QStringList found;
    for (const Entry& entry : readCatalog(path)) {
        const QString where = entry.context + QStringLiteral(": ") + entry.source;
        if (!entry.type.isEmpty())
            found << QStringLiteral("%1 is %2").arg(where, entry.type);
        else if (entry.translation.trimmed().isEmpty())
            found << where + QStringLiteral(" has no translation");
        else if (placeholders(entry.source) != placeholders(entry.translation))
            found << where + QStringLiteral(" changes its placeholders");
        else if (entry.source.count(QLatin1Char('&')) != entry.translation.count(QLatin1Char('&')))
            found << where + QStringLiteral(" changes its accelerator");
    }
    return found;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { language::install({}); }

    void desktopSettingsChooseTheCatalog_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "";
        QTest::newRow("LANG alone") << ""
                                    << ""
                                    << ""
                                    << "de_DE.UTF-8"
                                    << "de";
        QTest::newRow("LC_MESSAGES over LANG") << ""
                                               << ""
                                               << "fr_FR.UTF-8"
                                               << "de_DE.UTF-8"
                                               << "fr";
        QTest::newRow("LC_ALL over both") << ""
                                          << "it_IT"
                                          << "fr_FR"
                                          << "de_DE"
                                          << "it";
        QTest::newRow("LANGUAGE list first") << "sv:de"
                                             << ""
                                             << ""
                                             << "de_DE.UTF-8"
                                             << "sv";
        QTest::newRow("LANGUAGE skips what is missing") << "ja:nl_BE:de"
                                                        << ""
                                                        << ""
                                                        << "fr_FR"
                                                        << "nl";
        QTest::newRow("LANGUAGE ignored under C") << "de"
                                                  << ""
                                                  << ""
                                                  << "C.UTF-8"
                                                  << "";
        QTest::newRow("LANGUAGE ignored under POSIX") << "de"
                                                      << "POSIX"
                                                      << ""
                                                      << "fr_FR"
                                                      << "";
        QTest::newRow("English first wins") << "en_GB:de"
                                            << ""
                                            << ""
                                            << "de_DE"
                                            << "";
        QTest::newRow("English locale") << ""
                                        << ""
                                        << ""
                                        << "en_US.UTF-8"
                                        << "";
        QTest::newRow("region kept where it matters") << ""
                                                      << ""
                                                      << ""
                                                      << "pt_BR.UTF-8"
                                                      << "pt_BR";
        QTest::newRow("another region has no catalog") << ""
                                                       << ""
                                                       << ""
                                                       << "pt_PT.UTF-8"
                                                       << "";
        QTest::newRow("bare language of a region") << ""
                                                   << ""
                                                   << ""
                                                   << "es_MX.UTF-8"
                                                   << "es";
        QTest::newRow("modifier and codeset dropped") << ""
                                                      << ""
                                                      << ""
                                                      << "pl_PL.ISO-8859-2@euro"
                                                      << "pl";
        QTest::newRow("unknown language") << ""
                                          << ""
                                          << ""
                                          << "xx_YY"
                                          << "";
    }
    void desktopSettingsChooseTheCatalog() {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(QString, chosen);
        const std::map<QByteArray, QByteArray> values = {{"LANGUAGE", language.toLatin1()},
                                                         {"LC_ALL", lcAll.toLatin1()},
                                                         {"LC_MESSAGES", lcMessages.toLatin1()},
                                                         {"LANG", lang.toLatin1()}};
        const auto env = [&](const char* name) { return values.at(QByteArray(name)); };
        QCOMPARE(language::choose(env, language::available()), chosen);
    }

    void everyLanguageIsEmbeddedAndSpeaks() {
        const QStringList available = language::available();
        QCOMPARE(available.size(), catalogSources(kCatalogFolder).size());
        QVERIFY(available.size() >= 8);
        const QString english = QStringLiteral("START GAME");
        for (const QString& name : available) {
            QVERIFY2(language::install(name), qPrintable(name));
            QCOMPARE(language::current(), name);
            const QString shown = QCoreApplication::translate("Tmain", "START GAME");
            QVERIFY2(!shown.isEmpty() && shown != english, qPrintable(name));
        }
        QVERIFY(language::install({}));
        QCOMPARE(QCoreApplication::translate("Tmain", "START GAME"), english);
        QVERIFY(!language::install(QStringLiteral("xx")));
        QCOMPARE(QCoreApplication::translate("Tmain", "START GAME"), english);
    }

    // The standard boxes and fields speak the language too: Qt's catalog where the system has
    // one, the program's own small one where it has not.
    void qtsOwnCatalogComesAlong() {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        int fromSystem = 0;
        for (const QString& name : language::available()) {
            QVERIFY(language::install(name));
            const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
            QVERIFY2(!cancel.isEmpty() && cancel != QLatin1String("Cancel"), qPrintable(name));
            QTranslator reference;
            if (!reference.load(QStringLiteral("qtbase_") + name, folder))
                continue;
            ++fromSystem;
            QCOMPARE(cancel, reference.translate("QPlatformTheme", "Cancel"));
        }
        // Debian's Qt catalogs cover all but Swedish.
        QVERIFY2(fromSystem >= 7, "qt6-translations-l10n is installed");
    }

    void catalogsAreCompleteAndKeepTheirPlaceholders() {
        const QStringList paths = catalogSources(kCatalogFolder);
        QVERIFY(!paths.isEmpty());
        for (const QString& path : paths) {
            QVERIFY2(readCatalog(path).size() > 100, qPrintable(path));
            const QStringList found = problems(path);
            QVERIFY2(found.isEmpty(), qPrintable(path + ":\n" + found.join('\n')));
        }
    }

    // A text added to the code without its translations fails here: lupdate run over the code
    // adds it to a copy of each catalog as unfinished.
    void catalogsHoldEveryTextOfTheCode() {
        QTemporaryDir copies;
        QStringList arguments = {QStringLiteral("-silent"), QStringLiteral("-locations"),
                                 QStringLiteral("none"), QStringLiteral("-no-obsolete")};
        for (const char* folder : {"shell", "tally", "online", "widgets", "assets", "game"})
            arguments << QStringLiteral(SOLMARIN_SOURCE_DIR "/") + QLatin1String(folder);
        arguments << QStringLiteral("-ts");
        for (const QString& path : catalogSources(kCatalogFolder)) {
            const QString copy = copies.filePath(QFileInfo(path).fileName());
            QVERIFY(QFile::copy(path, copy));
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            arguments << copy;
        }
        QProcess lupdate;
        lupdate.start(QStringLiteral(SOLMARIN_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        for (const QString& name : QDir(copies.path()).entryList({QStringLiteral("*.ts")})) {
            const QStringList found = problems(copies.filePath(name));
            QVERIFY2(found.isEmpty(), qPrintable(name + ":\n" + found.join('\n')));
        }
    }

    void everyHelpPageIsTranslated() {
        initHelpResources();
        const QStringList pages =
            QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.txt")}, QDir::Files);
        QVERIFY(pages.size() >= 4);
        for (const QString& name : language::available()) {
            QVERIFY(language::install(name));
            for (const QString& file : pages) {
                const QString page = QFileInfo(file).baseName();
                QVERIFY2(QFile::exists(QStringLiteral(":/help/%1/%2").arg(name, file)),
                         qPrintable(name + "/" + file));
                const QString text = helpText(page);
                QVERIFY2(!text.isEmpty(), qPrintable(name + "/" + file));
                language::install({});
                QVERIFY2(text != helpText(page), qPrintable(name + "/" + file));
                QVERIFY(language::install(name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
