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

// WriteFileAtomically for the windows: the same guarantees, with the path and
// the reason for a failure as Qt text. An empty path fails.
FileWriteResult WriteFileReplacing(const QString& path, const Bytes& bytes);

} // namespace quillory
