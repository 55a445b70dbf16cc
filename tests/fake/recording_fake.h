#pragma once

// A stand-in for the engine that records every flat routine call and answers
// what a test scripts. Complete by construction: every routine of the list is
// faked, so a wrapper can never reach a routine the fake does not know.

#include "gdiplus_binding.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::testing {

// One argument as the routine received it. Pointers keep their address; the
// data behind a const pointer is copied at the time of the call: UTF-16 text
// (to its NUL, or as many units as the length argument after it says),
// records, and arrays whose count is the argument right after them.
struct Argument {
    enum class Kind { Integer, Real, Pointer };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0;
    const void* pointer = nullptr;
    std::u16string text;            // for const WCHAR*
    std::vector<std::uint8_t> data; // for const pointers to records and arrays

    // The copied data as records of type T (e.g. GpPointF, GpRectF, GUID).
    template <typename T> std::vector<T> As() const;
};

struct Call {
    std::string routine;
    std::vector<Argument> arguments;
};

class RecordingFake {
public:
    // Installs the fake as the routine table for the lifetime of the object.
    RecordingFake();
    ~RecordingFake();
    RecordingFake(const RecordingFake&) = delete;
    RecordingFake& operator=(const RecordingFake&) = delete;

    const std::vector<Call>& Calls() const { return calls_; }
    std::vector<Call> CallsTo(std::string_view routine) const;
    std::vector<std::string> RoutinesCalled() const;
    void ClearCalls() { calls_.clear(); }

    // Every later call of `routine` without a hook returns `status`
    // (0 unless scripted). Out-handles are written only when it is 0.
    void SetStatus(std::string_view routine, GpStatus status);

    // The handle values the fake writes into out-handle arguments: distinct,
    // non-zero and never dereferenced.
    std::uintptr_t LastHandleIssued() const { return nextHandle_ - 1; }

    // Per-routine hooks: called with the routine's own arguments after the
    // call is recorded; their result is the routine's result. Set one to
    // script outputs (sizes, counts, pixels).
    struct Hooks {
#define QUILLORY_ROUTINE(name, result, parameters) std::function<result parameters> name;
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
    };
    Hooks on;

    // Used by the generated routines.
    static RecordingFake& Current();
    void Record(Call call)
    {
        calls_.push_back(std::move(call));
    }
    GpStatus StatusFor(std::string_view routine) const;
    void* IssueHandle()
    {
        return reinterpret_cast<void*>(nextHandle_++);
    }

private:
    std::vector<Call> calls_;
    std::map<std::string, GpStatus, std::less<>> statuses_;
    std::uintptr_t nextHandle_ = 0x1000;
    FlatRoutines previous_;
    bool hadPrevious_ = false;
};

template <typename T> std::vector<T> Argument::As() const
{
    std::vector<T> records(data.size() / sizeof(T));
    if (!records.empty())
        std::memcpy(records.data(), data.data(), records.size() * sizeof(T));
    return records;
}

} // namespace quillory::testing
