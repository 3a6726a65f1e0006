#include "LinkHandOver.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <utility>

namespace velkrant::LinkHandOver {

namespace {

constexpr char Marker[] = "VKL1";
constexpr qsizetype MarkerSize = 4;
constexpr qsizetype HeaderSize = MarkerSize + 4;
constexpr char Answer[] = "OK";
constexpr qsizetype AnswerSize = 2;

// How long a sender waits for the running copy, which takes its lock a
// moment before it listens, and how long the copy gives a connection to
// deliver its message. Both far above the usual milliseconds.
constexpr int SendTimeoutMs = 15000;
constexpr int DeliveryTimeoutMs = 15000;
constexpr int RetryIntervalMs = 50;

// Strict UTF-8: a message that is not valid UTF-8 was not made by Encode.
std::optional<QString> DecodeLink(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString link = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return link;
}

}  // namespace

QString ServerName(const QString& folder) {
#ifdef _WIN32
    // Pipes share one machine-wide namespace; the per-user folder in the
    // name keeps users (and test runs) apart, and the pipe's access list
    // keeps everyone else out.
    const QByteArray digest = QCryptographicHash::hash(QDir::cleanPath(folder).toLower().toUtf8(),
                                                       QCryptographicHash::Sha256);
    return QStringLiteral("velkrant-") + QString::fromLatin1(digest.toHex().left(32));
#else
    return QDir(folder).filePath(QStringLiteral("velkrant.socket"));
#endif
}

std::optional<QByteArray> Encode(const QString& link) {
    const QByteArray bytes = link.toUtf8();
    if (bytes.size() > MaxLinkBytes) return std::nullopt;
    QByteArray message(Marker, MarkerSize);
    char length[4];
    qToBigEndian(static_cast<quint32>(bytes.size()), length);
    message.append(length, sizeof length);
    message.append(bytes);
    return message;
}

bool Send(const QString& serverName, const QByteArray& message) {
    const QDeadlineTimer deadline(SendTimeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(RetryIntervalMs);
    }
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    }
    while (socket.bytesAvailable() < AnswerSize) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    }
    return socket.read(AnswerSize) == QByteArray(Answer, AnswerSize);
}

Receiver::Receiver(Handler handler) : handler_(std::move(handler)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] { Accept(); });
}

bool Receiver::Listen(const QString& serverName) {
    QLocalServer::removeServer(serverName);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(serverName);
}

void Receiver::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // One byte more than the longest message, so that anything sent
        // beyond a message shows and the message is dropped.
        socket->setReadBufferSize(HeaderSize + MaxLinkBytes + 1);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(*socket); });
        // A sender that never finishes its message does not hold the
        // connection for ever.
        QTimer::singleShot(DeliveryTimeoutMs, socket, [socket] { socket->abort(); });
        Read(*socket);
    }
}

void Receiver::Read(QLocalSocket& socket) {
    if (socket.state() != QLocalSocket::ConnectedState || socket.bytesAvailable() < HeaderSize) return;
    const QByteArray header = socket.peek(HeaderSize);
    const quint32 length = qFromBigEndian<quint32>(header.constData() + MarkerSize);
    if (!header.startsWith(QByteArray(Marker, MarkerSize)) || length > MaxLinkBytes) {
        socket.abort();
        return;
    }
    const qsizetype size = HeaderSize + static_cast<qsizetype>(length);
    if (socket.bytesAvailable() < size) return;
    const std::optional<QString> link = socket.bytesAvailable() == size ? DecodeLink(socket.read(size).mid(HeaderSize))
                                                                        : std::nullopt;
    if (!link) {
        socket.abort();
        return;
    }
    // The answer goes out before the conversion, which may show a box and
    // wait for the user.
    socket.write(Answer, AnswerSize);
    socket.flush();
    socket.disconnectFromServer();
    handler_(*link);
}

}  // namespace velkrant::LinkHandOver
