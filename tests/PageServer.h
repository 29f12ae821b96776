#pragma once

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

// Serves fixed pages over HTTP on 127.0.0.1 only, and remembers every path a
// browser asked for, with the headers that came last for it. "{port}" in a page stands for the
// server's port. The same port reached as "localhost" is another origin, as a third party's frame
// on a real site would be.
class PageServer
{
public:
    explicit PageServer(QMap<QString, QByteArray> pages) : m_pages(std::move(pages))
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

    const QStringList& requested() const { return m_requested; }

    // A header of the last request for `path`, as it came; null when none.
    QByteArray header(const QString& path, const QByteArray& name) const
    {
        for (const QByteArray& line : m_heads.value(path).split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }

private:
    void serve(QTcpSocket* socket)
    {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            // The socket holds what came until the request's head is whole.
            if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                return;
            const QByteArray head = socket->readAll();
            const QString path = QString::fromLatin1(head.split(' ').value(1));
            m_requested.append(path);
            m_heads.insert(path, head);
            const bool known = m_pages.contains(path);
            const QByteArray body =
                QByteArray(m_pages.value(path, "not found"))
                    .replace("{port}", QByteArray::number(m_server.serverPort()));
            socket->write((known ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                          QByteArray("Content-Type: text/html; charset=utf-8\r\n"
                                     "Cache-Control: no-store\r\nConnection: close\r\n"
                                     "Content-Length: ") +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QMap<QString, QByteArray> m_pages;
    QStringList m_requested;
    QMap<QString, QByteArray> m_heads;
};
