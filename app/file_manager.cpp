#include "file_manager.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace quillory {
namespace {

constexpr int kAnswerTimeoutMilliseconds = 1000;

} // namespace

QDBusMessage MakeShowItemsRequest(const QString& path)
{
    QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("ShowItems"));
    const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    // The second argument is the start-up notification id; there is none to give.
    request << QStringList{uri} << QString();
    return request;
}

bool FileManagerTookRequest(const QDBusMessage& reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return true;
    }
    const QDBusError::ErrorType error = QDBusError(reply).type();
    return error == QDBusError::NoReply || error == QDBusError::Timeout;
}

ProgramCall MakeOpenFolderCall(const QString& path)
{
    return {QStringLiteral("xdg-open"), {QFileInfo(path).absolutePath()}};
}

void ShowInFileManager(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        const QDBusMessage reply = bus.call(MakeShowItemsRequest(path), QDBus::Block, kAnswerTimeoutMilliseconds);
        if (FileManagerTookRequest(reply)) {
            return;
        }
    }
    const ProgramCall fallback = MakeOpenFolderCall(path);
    QProcess::startDetached(fallback.program, fallback.arguments);
}

} // namespace quillory
