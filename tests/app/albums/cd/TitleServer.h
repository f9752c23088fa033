#pragma once
// A stand-in for the online title service on 127.0.0.1, started by a test: it answers every
// request with the recorded answer it was given (status, JSON, a delay), or the one given for
// the longest start of the request's path, and keeps what it was asked, so a test sees the
// address, the User-Agent and the spacing of the requests.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <map>
#include <string>
#include <vector>
#include "tests/support/BuiltPaths.h"

namespace cdz::test {

class TitleServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        QByteArray type = "application/json";
    };
    struct Request {
        QByteArray target;  // path and query
        QByteArray userAgent;
        qint64 atMs = 0;  // since the server started
    };

    TitleServer() {
        clock_.start();
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    }

    std::string address() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort());
    }
    void answer(Answer a) { answer_ = std::move(a); }
    // The answer to requests whose path starts with `path`.
    void answer(const QByteArray& path, Answer a) { byPath_[path] = std::move(a); }
    const std::vector<Request>& requests() const { return requests_; }

    // An address where nothing listens: a port this server held and gave back.
    static std::string downAddress() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return "http://127.0.0.1:" + std::to_string(port);
    }

    // A recorded answer of the answers folder beside this file.
    static QByteArray recorded(const char* name) {
        QFile file(
            QString::fromStdString(cdz::test::sourceFolder() + "/tests/app/albums/cd/answers") +
            "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                QByteArray& got = pending_[socket];
                got += socket->readAll();
                if (!got.contains("\r\n\r\n")) return;
                Request r;
                r.target = got.left(got.indexOf("\r\n")).split(' ').value(1);
                for (const QByteArray& line : got.split('\n')) {
                    if (line.toLower().startsWith("user-agent:"))
                        r.userAgent = line.mid(11).trimmed();
                }
                r.atMs = clock_.elapsed();
                requests_.push_back(r);
                pending_.erase(socket);
                Answer a = answer_;
                qsizetype longest = -1;
                for (const auto& [path, given] : byPath_) {
                    if (r.target.startsWith(path) && path.size() > longest) {
                        a = given;
                        longest = path.size();
                    }
                }
                QPointer<QTcpSocket> guarded(socket);
                QTimer::singleShot(a.delayMs, socket, [guarded, a] {
                    if (!guarded) return;
                    guarded->write("HTTP/1.1 " + QByteArray::number(a.status) +
                                   (a.status == 200 ? " OK" : " Error") +
                                   "\r\nContent-Type: " + a.type +
                                   "\r\nContent-Length: " + QByteArray::number(a.body.size()) +
                                   "\r\nConnection: close\r\n\r\n" + a.body);
                    guarded->disconnectFromHost();
                });
            });
        }
    }

    QTcpServer server_;
    QElapsedTimer clock_;
    Answer answer_;
    std::map<QByteArray, Answer> byPath_;
    std::vector<Request> requests_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

}  // namespace cdz::test
