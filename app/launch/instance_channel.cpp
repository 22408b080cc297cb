// The channel between a running TK70 window and a later start: see instance_channel.h.
#include "app/launch/instance_channel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tk70 {

namespace {

constexpr qint64 kMaxAnswerBytes = 64;

}  // namespace

QString userRuntimeFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

QString instanceSocketPath(const QString &runtimeFolder, const QString &storePath)
{
    const QString store = QDir::cleanPath(QFileInfo(storePath).absoluteFilePath());
    const QByteArray digest = QCryptographicHash::hash(QFile::encodeName(store), QCryptographicHash::Sha256);
    return QDir(runtimeFolder).filePath(QStringLiteral("tk70pro-") + QString::fromLatin1(digest.toHex().left(16)));
}

QByteArray encodeRequest(const QString &path) { return QFile::encodeName(path).toPercentEncoding("/") + '\n'; }

std::optional<QString> decodeRequest(const QByteArray &line)
{
    if (line.size() > kMaxRequestBytes || !line.endsWith('\n'))
        return std::nullopt;
    const QByteArray path = QByteArray::fromPercentEncoding(line.chopped(1));
    if (path.isEmpty())
        return QString();
    if (!path.startsWith('/') || path.contains('\0'))
        return std::nullopt;
    return QFile::decodeName(path);
}

HandOver handOver(const QString &socketPath, const QString &path, int deadlineMs)
{
    const QDeadlineTimer deadline(deadlineMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(deadline.remainingTime())) {
        const auto error = socket.error();
        const bool nobody = error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError;
        return nobody ? HandOver::NoInstance : HandOver::NoAnswer;
    }
    socket.write(encodeRequest(path));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(deadline.remainingTime()))
            return HandOver::NoAnswer;
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaxAnswerBytes || !socket.waitForReadyRead(deadline.remainingTime()))
            return HandOver::NoAnswer;
    }
    return socket.readLine(kMaxAnswerBytes) == kAnswerTaken ? HandOver::Delivered : HandOver::Refused;
}

}  // namespace tk70
