#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace engine {

// Anonymous mappings kept for reuse. Touching freshly mapped memory costs
// far more than writing it (every 4 KiB page faults in separately), and a
// render makes and drops a bitmap of the same size again and again; so a few
// freed mappings are kept and handed out again. Mappings of 2 MiB and more
// are aligned to 2 MiB and asked for transparent huge pages, which makes
// even their first touch cheap; smaller ones are not, so that many small
// bitmaps never pin a huge page each.
//
// The cache is one per process, like the heap it stands beside, and is never
// destroyed: bitmaps still alive when the process ends return their blocks
// during static destruction, after a destroyed cache would be gone.
class BlockCache {
public:
    // Blocks smaller than this come from the ordinary heap instead: below it
    // the heap reuses memory well enough, above it glibc maps every block
    // afresh.
    static constexpr std::size_t MinimumBytes = std::size_t{64} << 10;

    static BlockCache& instance();

    // A mapping of at least `size` bytes, or null when none can be made.
    // `capacity` receives its real length, `zeroed` whether every byte is
    // known to be zero (true for fresh mappings, false for reused ones).
    std::uint8_t* take(std::size_t size, std::size_t& capacity, bool& zeroed);

    // Returns a mapping obtained from `take`; it is kept or unmapped.
    void give(std::uint8_t* data, std::size_t capacity);

    // Unmaps every kept mapping.
    void trim();

private:
    struct Kept {
        std::uint8_t* data;
        std::size_t capacity;
    };

    BlockCache() = default;

    // Two kept mappings cover a render's bitmap plus one spare; more would
    // only hold memory that no render asks for.
    static constexpr std::size_t KeptLimit = 2;

    std::mutex mutex_;
    std::vector<Kept> kept_; // oldest first
};

} // namespace engine
