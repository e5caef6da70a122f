// The URL opener: the scheme put in front of each kind of address and what is handed over.
#include "url.h"

#include <QtTest>

class TestUrl : public QObject {
    Q_OBJECT

private:
    QStringList m_opened;
    bool m_accept = true;

private slots:
    void init() {
        m_opened.clear();
        m_accept = true;
        TURL::setOpener([this](const QString& address) {
            m_opened << address;
            return m_accept;
        });
    }

    void cleanup() { TURL::setOpener({}); }

    void aNewOpenerIsAnEmptyWebAddress() {
        TURL url;
        QCOMPARE(url.url(), QString());
        QCOMPARE(url.urlType(), TURL::utHttp);
    }

    void eachTypePutsItsSchemeInFront_data() {
        QTest::addColumn<TURL::TURLType>("type");
        QTest::addColumn<QString>("handedOver");
        const QString site = QStringLiteral("www.example.com/a b?c=1");
        QTest::newRow("file") << TURL::utFile << "file://" + site;
        QTest::newRow("ftp") << TURL::utFtp << "ftp://" + site;
        QTest::newRow("gopher") << TURL::utGopher << "gopher://" + site;
        QTest::newRow("http") << TURL::utHttp << "http://" + site;
        QTest::newRow("https") << TURL::utHttps << "https://" + site;
        QTest::newRow("mailto") << TURL::utMailto << "mailto:" + site;
        QTest::newRow("news") << TURL::utNews << "news:" + site;
        QTest::newRow("telnet") << TURL::utTelnet << "telnet:" + site;
        QTest::newRow("wais") << TURL::utWais << "wais:" + site;
        QTest::newRow("none") << TURL::utnone << site;
    }

    void eachTypePutsItsSchemeInFront() {
        QFETCH(TURL::TURLType, type);
        QFETCH(QString, handedOver);
        TURL url;
        url.setUrl(QStringLiteral("www.example.com/a b?c=1"));
        url.setUrlType(type);
        QVERIFY(url.open());
        QCOMPARE(m_opened, QStringList{handedOver});
    }

    void anEmptyAddressIsNotHandedOver() {
        TURL url;
        QVERIFY(!url.open());
        url.setUrlType(TURL::utnone);
        QVERIFY(!url.open());
        QVERIFY(m_opened.isEmpty());
    }

    void theDesktopsAnswerIsTheResult() {
        TURL url;
        url.setUrl(QStringLiteral("www.example.com"));
        m_accept = false;
        QVERIFY(!url.open());
        QCOMPARE(m_opened.size(), 1);
    }

    void longAddressesAreHandedOverWhole() {
        TURL url;
        const QString path = QStringLiteral("www.example.com/") + QString(300, QLatin1Char('x'));
        url.setUrl(path);
        QVERIFY(url.open());
        QCOMPARE(m_opened, QStringList{"http://" + path});
    }

    void theDesktopIsNotAskedToGuessAnAddressWithoutScheme() {
        // With the desktop's own opener: a bare text could be a file on this computer.
        TURL::setOpener({});
        TURL url;
        url.setUrlType(TURL::utnone);
        url.setUrl(QStringLiteral("/bin/sh"));
        QVERIFY(!url.open());
        url.setUrl(QStringLiteral("www.example.com"));
        QVERIFY(!url.open());
    }

    void settingAnOpenerReturnsThePreviousOne() {
        int calls = 0;
        TURL::Opener previous = TURL::setOpener([&](const QString&) {
            ++calls;
            return true;
        });
        QVERIFY(previous);
        QVERIFY(previous(QStringLiteral("http://x")));
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://x")});
        TURL url;
        url.setUrl(QStringLiteral("x"));
        url.open();
        QCOMPARE(calls, 1);
    }
};

QTEST_MAIN(TestUrl)
#include "tst_url.moc"
