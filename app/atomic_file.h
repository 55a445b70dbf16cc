#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillory {

// Writes `bytes` to `path` so that the file either keeps its old contents or
// holds exactly the new ones: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then replaces the target in one
// rename; a replaced file keeps its permissions, and a path through a
// symbolic link replaces the file the link names. Returns an empty text on
// success, otherwise why it failed (no temporary file is left behind).
std::string WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Writes all of `bytes` to the open file `descriptor`, carrying on after
// interruptions and short writes. False when the file took no more; errno
// then says why.
bool WriteAllBytes(int descriptor, const std::vector<std::uint8_t>& bytes);

} // namespace quillory
