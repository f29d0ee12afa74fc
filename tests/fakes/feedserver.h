#ifndef TESTS_FAKES_FEEDSERVER_H
#define TESTS_FAKES_FEEDSERVER_H

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

// A calendar published on a web server of the test's own on 127.0.0.1, answering each request as
// the test last set it; it records the requests.
class FeedServer : public QObject
{
public:
    struct Answer
    {
        QByteArray status = "200 OK";
        QByteArray headers;
        QByteArray body;
    };
    Answer answer;
    QList<QByteArray> requests;

    bool listen()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        return m_server.listen(QHostAddress::LocalHost);
    }
    void close() { m_server.close(); }
    QString url(const char *scheme = "http") const
    {
        return QStringLiteral("%1://127.0.0.1:%2/team.ics")
            .arg(QLatin1String(scheme))
            .arg(m_server.serverPort());
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        requests << pending;
        m_pending.remove(socket);
        socket->write("HTTP/1.1 " + answer.status +
                      "\r\nContent-Length: " + QByteArray::number(answer.body.size()) +
                      "\r\nConnection: close\r\n" + answer.headers + "\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

#endif
