#pragma once

#include <QDBusMessage>
#include <QString>
#include <QStringList>

namespace quillory {

// The request that asks a freedesktop file manager (org.freedesktop.FileManager1)
// to open the folder of the file at `path` with the file selected. The path
// travels as one file URI, so no character in it needs care.
QDBusMessage MakeShowItemsRequest(const QString& path);

// Whether the file manager took the request. A reply that did not come in time
// still counts: a file manager being started by the bus may answer late, and
// opening the folder as well would show it twice.
bool FileManagerTookRequest(const QDBusMessage& reply);

// A program to start directly, without a shell, and the arguments it gets one by one.
struct ProgramCall {
    QString program;
    QStringList arguments;
};

// The fallback when no file manager takes the request: xdg-open on the file's folder.
ProgramCall MakeOpenFolderCall(const QString& path);

// Asks the file manager on the session bus to show the file selected, waiting
// at most a second for its answer, and otherwise starts the folder call
// detached. Nothing is reported when both fail.
void ShowInFileManager(const QString& path);

} // namespace quillory
