#pragma once

#include "core/object.h"
#include "text/family_record.h"

#include <memory>

namespace engine {

// A font family handed to a caller. It only points at the shared record of
// the installed family, so deleting it leaves fonts made from it intact.
class FontFamily : public Object {
public:
    explicit FontFamily(std::shared_ptr<const text::FamilyRecord> record)
        : Object(Kind::FontFamily),
          record_(std::move(record))
    {
    }

    const std::shared_ptr<const text::FamilyRecord>& record() const { return record_; }

private:
    std::shared_ptr<const text::FamilyRecord> record_;
};

} // namespace engine
