#include "file_writing.h"

#include <QSaveFile>

namespace quillory {

FileWriteResult WriteFileReplacing(const QString& path, const Bytes& bytes)
{
    if (path.isEmpty()) {
        return {false, QStringLiteral("没有文件名")};
    }
    // QSaveFile never falls back to writing the target in place unless told to,
    // so a folder where no temporary file can be made is a failure, not a risk.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, file.errorString()};
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (size > 0 && file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit()) {
        return {false, file.errorString()};
    }
    return {true, {}};
}

} // namespace quillory
