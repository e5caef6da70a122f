// TURL: opens an address in the program the desktop associates with it, usually the web browser.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class TURL : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_PROPERTY(TURLType URLType READ urlType WRITE setUrlType)

public:
    // The scheme put in front of `URL` before it is opened; utnone adds nothing.
    enum TURLType {
        utFile,
        utFtp,
        utGopher,
        utHttp,
        utHttps,
        utMailto,
        utNews,
        utTelnet,
        utWais,
        utnone
    };
    Q_ENUM(TURLType)

    // Hands the complete address to the desktop; true when it was accepted.
    using Opener = std::function<bool(const QString& address)>;

    explicit TURL(QObject* parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }

    TURLType urlType() const { return m_urlType; }
    void setUrlType(TURLType type) { m_urlType = type; }

    static QString prefix(TURLType type);
    // The address as it is handed over: the prefix of `URLType` and `URL`.
    QString address() const { return prefix(m_urlType) + m_url; }

    // Opens the address. False when `URL` is empty or the desktop refused it; a failure is
    // never reported to the user.
    bool open() const;

    // Replaces how addresses are opened for every TURL (tests use it so that no browser starts);
    // an empty function restores the desktop's. Returns the opener in use before.
    static Opener setOpener(Opener opener);

private:
    QString m_url;
    TURLType m_urlType = utHttp;
};
