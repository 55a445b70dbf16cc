#pragma once

#include <cstdint>
#include <optional>

namespace quillory {

// The token of the running imaging start-up; 0 when imaging is not running.
extern std::uint32_t StartupToken;

// Binds the engine (a fatal error naming the library and the routine ends the
// process when it cannot be bound), starts the platform with `version`
// (1 when left out) and stores the token it hands out in StartupToken, 0 when
// the platform did not start. Returns that token.
std::uint32_t StartImaging(std::optional<int> version = std::nullopt);

// Shuts the platform down. Left out, the token is taken from StartupToken,
// which is reset to 0 first; given, StartupToken is left alone. A token of 0
// does nothing.
void StopImaging(std::optional<std::uint32_t> token = std::nullopt);

} // namespace quillory
