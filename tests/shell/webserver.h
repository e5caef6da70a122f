// lighttpd serving a folder of static files on 127.0.0.1, on a port the kernel found free,
// for as long as the object lives.
#pragma once

#include "freeport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class WebServer {
public:
    static QString program() {
        return QStandardPaths::findExecutable(
            QStringLiteral("lighttpd"),
            {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    }

    // `extra` goes into the configuration as it stands (redirections, for instance).
    bool start(const QString& extra = {}) {
        if (program().isEmpty())
            return false;
        m_port = freeLoopbackPort();
        if (m_port == 0)
            return false;
        QDir(m_dir.path()).mkpath(QStringLiteral("www"));
        QFile conf(m_dir.filePath(QStringLiteral("lighttpd.conf")));
        if (!conf.open(QIODevice::WriteOnly))
            return false;
        conf.write(QStringLiteral("server.document-root = \"%1\"\n"
                                  "server.bind = \"127.0.0.1\"\n"
                                  "server.port = %2\n"
                                  "server.errorlog = \"%3\"\n"
                                  "server.modules += ( \"mod_redirect\" )\n"
                                  "mimetype.assign = ( \".txt\" => \"text/plain\", "
                                  "\"\" => \"application/octet-stream\" )\n%4\n")
                       .arg(root(), QString::number(m_port),
                            m_dir.filePath(QStringLiteral("error.log")), extra)
                       .toUtf8());
        conf.close();
        m_process.start(program(), {QStringLiteral("-D"), QStringLiteral("-f"), conf.fileName()});
        if (!m_process.waitForStarted())
            return false;
        // Ready once it takes connections.
        for (int i = 0; i < 1000 && m_process.state() == QProcess::Running; ++i) {
            if (connects(m_port))
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    ~WebServer() {
        m_process.terminate();
        m_process.waitForFinished();
    }

    QString root() const { return m_dir.filePath(QStringLiteral("www")); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // Puts a file under the document root, making its folders.
    void put(const QString& path, const QByteArray& content) const {
        const QString file = root() + path;
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(content);
    }

private:
    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        return address;
    }
    static bool connects(int port) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(port);
        const bool ok =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return ok;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
