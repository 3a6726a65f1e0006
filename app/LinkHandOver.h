#pragma once
// A start with a link while a copy already runs hands the link over to
// that copy, which converts it; the new process then ends. The two meet at
// a local socket (on Windows a named pipe) that only the same user can
// reach. A message is the marker "VKL1", the link's length in bytes (four
// bytes, big-endian) and the link in UTF-8, at most MaxLinkBytes long. The
// running copy answers "OK" once it has taken a link; anything else it
// drops without a word, and what it takes is only ever text for the input
// box, never a command or a file to open.

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace velkrant::LinkHandOver {

/// The longest link that can be handed over, in UTF-8 bytes.
inline constexpr qsizetype MaxLinkBytes = 64 * 1024;

/// The socket's name for the user's runtime folder `folder`
/// (SingleInstance::RuntimeFolder()): a socket file there, on Windows a
/// pipe whose name is made from the folder.
QString ServerName(const QString& folder);

/// The message that carries `link`, or nothing when the link is longer
/// than MaxLinkBytes.
///
///     Encode(QStringLiteral("ab")) == QByteArray("VKL1\0\0\0\2ab", 10)
std::optional<QByteArray> Encode(const QString& link);

/// Sends `message` (from Encode) to the copy listening at `serverName` and
/// waits for it to confirm. False when nobody took it within a few seconds.
bool Send(const QString& serverName, const QByteArray& message);

/// The running copy's end: listens for links and passes each well-formed
/// one to its handler.
class Receiver : public QObject {
public:
    using Handler = std::function<void(const QString& link)>;

    explicit Receiver(Handler handler);

    /// Listens at `serverName`. Only the holder of the single-instance lock
    /// may call it: whatever socket is found there was left by a copy that
    /// died, and is removed first. False when listening failed; the program
    /// then works on, only without the hand-over.
    bool Listen(const QString& serverName);

private:
    void Accept();
    void Read(class QLocalSocket& socket);

    QLocalServer server_;
    Handler handler_;
};

}  // namespace velkrant::LinkHandOver
