#pragma once

// What every imaging test shares: the recording fake installed as the routine
// table, and LastStatus set to a value no routine answers, so a test sees
// whether an operation stored a status at all.

#include "imaging_object.h"
#include "recording_fake.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quillory::testing {

inline constexpr std::int32_t UntouchedStatus = -7777;

// A handle value a test hands to an object; never dereferenced.
inline Handle FakeHandle(std::uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

inline Handle PointerArgument(const Call& call, std::size_t index)
{
    return const_cast<void*>(call.arguments.at(index).pointer);
}

class FakeTest : public ::testing::Test {
protected:
    FakeTest() { LastStatus = UntouchedStatus; }

    // The one call of `routine`; fails the test when there is not exactly one.
    Call OnlyCall(std::string_view routine) const
    {
        const auto calls = fake.CallsTo(routine);
        EXPECT_EQ(calls.size(), 1u) << routine;
        return calls.empty() ? Call{} : calls.front();
    }

    RecordingFake fake;
};

} // namespace quillory::testing
