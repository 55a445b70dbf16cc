#pragma once

#include "renderer.h"

#include <QString>

namespace quillory {

// The outcome of writing a file: on failure, `error` says why in words the
// user can read, and the target file is as it was before.
struct FileWriteResult {
    bool written = false;
    QString error;
};

// Writes `bytes` to `path` so that the file either keeps its old contents or
// holds exactly the new ones: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then replaces the target in one
// rename; a replaced file keeps its permissions. A failure leaves no
// temporary file behind. An empty path fails.
FileWriteResult WriteFileReplacing(const QString& path, const Bytes& bytes);

} // namespace quillory
