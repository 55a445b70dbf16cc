#include "file_writing.h"

#include "atomic_file.h"

#include <QFile>

namespace quillory {

FileWriteResult WriteFileReplacing(const QString& path, const Bytes& bytes)
{
    if (path.isEmpty()) {
        return {false, QStringLiteral("没有文件名")};
    }
    const std::string failure = WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes);
    if (!failure.empty()) {
        return {false, QString::fromLocal8Bit(failure)};
    }
    return {true, {}};
}

} // namespace quillory
