// cdztitlestandin FOLDER DELAY-MS: a stand-in for the online title service and its picture
// archive on 127.0.0.1. It prints its port, then answers each request after the delay from the
// folder: a release search with search.json, a release's lookup with release-ID.json (else
// release.json), a front cover with cover.png; anything else is not found. It logs each request
// on standard error with the time it came, so a benchmark sees how far apart they were.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <map>

namespace {

struct Answer {
    QByteArray status = "404 Not Found";
    QByteArray type = "application/json";
    QByteArray body = "{}";
};

QByteArray read(const QDir& folder, const QString& name) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Answer answerTo(const QDir& folder, const QByteArray& target) {
    Answer a;
    QByteArray body;
    if (target.contains("/front-500")) {
        body = read(folder, "cover.png");
        a.type = "image/png";
    } else if (target.startsWith("/ws/2/release/?")) {
        body = read(folder, "search.json");
    } else if (target.startsWith("/ws/2/release/")) {
        const QByteArray id = target.mid(14, target.indexOf('?') - 14);
        body = read(folder, "release-" + QString::fromLatin1(id) + ".json");
        if (body.isEmpty()) body = read(folder, "release.json");
    }
    if (!body.isEmpty()) {
        a.status = "200 OK";
        a.body = body;
    }
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3 || !QDir(QString::fromLocal8Bit(argv[1])).exists()) {
        std::fprintf(stderr, "usage: cdztitlestandin FOLDER DELAY-MS\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int delayMs = QByteArray(argv[2]).toInt();
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) return 1;
    std::printf("%u\n", static_cast<unsigned>(server.serverPort()));
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    int count = 0;
    std::map<QTcpSocket*, QByteArray> pending;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                QByteArray& got = pending[socket];
                got += socket->readAll();
                if (!got.contains("\r\n\r\n")) return;
                const QByteArray target = got.left(got.indexOf("\r\n")).split(' ').value(1);
                pending.erase(socket);
                std::fprintf(stderr, "request %d at %lld ms %s\n", ++count,
                             static_cast<long long>(clock.elapsed()), target.constData());
                QPointer<QTcpSocket> guarded(socket);
                QTimer::singleShot(delayMs, socket, [guarded, a = answerTo(folder, target)] {
                    if (!guarded) return;
                    guarded->write("HTTP/1.1 " + a.status + "\r\nContent-Type: " + a.type +
                                   "\r\nContent-Length: " + QByteArray::number(a.body.size()) +
                                   "\r\nConnection: close\r\n\r\n" + a.body);
                    guarded->disconnectFromHost();
                });
            });
        }
    });
    return app.exec();
}
