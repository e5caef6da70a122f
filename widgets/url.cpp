// TURL: opens an address in the program the desktop associates with it, usually the web browser.
#include "url.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// Only an address that names its scheme is opened: a bare text would otherwise be guessed at,
// and could be taken for a file on this computer.
bool openWithDesktop(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

TURL::Opener& currentOpener() {
    static TURL::Opener opener = openWithDesktop;
    return opener;
}

} // namespace

TURL::TURL(QObject* parent) : QObject(parent) {}

QString TURL::prefix(TURLType type) {
    switch (type) {
    case utFile:
        return QStringLiteral("file://");
    case utFtp:
        return QStringLiteral("ftp://");
    case utGopher:
        return QStringLiteral("gopher://");
    case utHttp:
        return QStringLiteral("http://");
    case utHttps:
        return QStringLiteral("https://");
    case utMailto:
        return QStringLiteral("mailto:");
    case utNews:
        return QStringLiteral("news:");
    case utTelnet:
        return QStringLiteral("telnet:");
    case utWais:
        return QStringLiteral("wais:");
    case utnone:
        break;
    }
    return {};
}

bool TURL::open() const {
    if (m_url.isEmpty())
        return false;
    // Addresses are handed over whole, however long: cutting a link short opens another page.
    return currentOpener()(address());
}

TURL::Opener TURL::setOpener(Opener opener) {
    Opener previous = currentOpener();
    currentOpener() = opener ? std::move(opener) : Opener(openWithDesktop);
    return previous;
}
