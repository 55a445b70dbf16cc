#pragma once

// The installed fonts the text tests rely on (Debian's fonts-dejavu-core and
// fonts-noto-cjk), reached through the engine's own font cache.

#include "text/font_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

namespace text_test {

inline std::shared_ptr<engine::text::FontFace> regularFace(std::u16string_view family)
{
    auto& cache = engine::text::FontCache::instance();
    auto record = cache.catalog().find(family);
    if (!record)
        return nullptr;
    return cache.face(*record->faceFor(0));
}

} // namespace text_test
