#include "recording_fake.h"

#include <cstdlib>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace quillory::testing {
namespace {

RecordingFake* CurrentFake = nullptr;

template <typename T>
concept Complete = requires
{
    sizeof(T);
};

template <typename T> Argument RecordOne(T value)
{
    Argument argument;
    if constexpr (std::is_floating_point_v<T>) {
        argument.kind = Argument::Kind::Real;
        argument.real = value;
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        argument.integer = static_cast<std::int64_t>(value);
    } else if constexpr (std::is_pointer_v<T>) {
        argument.kind = Argument::Kind::Pointer;
        argument.pointer = reinterpret_cast<const void*>(value);
    } else {
        // Records passed by value (none in the list today) are kept as bytes.
        argument.data.resize(sizeof(T));
        std::memcpy(argument.data.data(), &value, sizeof(T));
    }
    return argument;
}

template <typename T> constexpr bool IsCount = std::is_integral_v<T> && !std::is_same_v<T, bool>;

// Copies the data behind a const pointer argument. `count` is the argument
// after it when that is an integer, which the flat interface uses for array
// lengths and string lengths.
template <typename Pointee>
void CopyPointee(Argument& argument, const Pointee* pointer, std::optional<std::int64_t> count)
{
    // Windows passes small integers where a name may be a resource number
    // (below 0x10000); those are values, not addresses.
    if (reinterpret_cast<std::uintptr_t>(pointer) < 0x10000)
        return;
    if constexpr (std::is_same_v<Pointee, WCHAR>) {
        std::int64_t units = 0;
        if (count && *count >= 0) {
            units = *count;
        } else {
            while (pointer[units] != 0)
                ++units;
        }
        argument.text.assign(reinterpret_cast<const char16_t*>(pointer), static_cast<std::size_t>(units));
    } else if constexpr (!std::is_void_v<Pointee> && Complete<Pointee> && !std::is_pointer_v<Pointee>) {
        std::int64_t elements = (count && *count > 0) ? *count : 1;
        argument.data.resize(static_cast<std::size_t>(elements) * sizeof(Pointee));
        std::memcpy(argument.data.data(), pointer, argument.data.size());
    }
}

template <typename Tuple, std::size_t Index> std::optional<std::int64_t> CountAfter(const Tuple& arguments)
{
    if constexpr (Index + 1 < std::tuple_size_v<Tuple>) {
        using Next = std::tuple_element_t<Index + 1, Tuple>;
        if constexpr (IsCount<Next>)
            return static_cast<std::int64_t>(std::get<Index + 1>(arguments));
    }
    return std::nullopt;
}

template <typename Tuple, std::size_t... Index>
std::vector<Argument> RecordAll(const Tuple& arguments, std::index_sequence<Index...>)
{
    std::vector<Argument> recorded;
    (
        [&] {
            using T = std::tuple_element_t<Index, Tuple>;
            Argument argument = RecordOne<T>(std::get<Index>(arguments));
            if constexpr (std::is_pointer_v<T> && std::is_const_v<std::remove_pointer_t<T>>)
                CopyPointee(argument, std::get<Index>(arguments), CountAfter<Tuple, Index>(arguments));
            recorded.push_back(std::move(argument));
        }(),
        ...);
    return recorded;
}

// Writes a fresh handle into every out-handle argument (a pointer to a
// pointer to an opaque engine object).
template <typename T> void IssueIfOutHandle(T value)
{
    if constexpr (std::is_pointer_v<T>) {
        using Pointee = std::remove_pointer_t<T>;
        if constexpr (std::is_pointer_v<Pointee> && !std::is_const_v<Pointee>) {
            using Object = std::remove_pointer_t<Pointee>;
            if constexpr (!std::is_void_v<Object> && !Complete<Object>) {
                if (value)
                    *value = static_cast<Pointee>(RecordingFake::Current().IssueHandle());
            }
        }
    }
}

template <typename Signature> struct Faked;

template <typename Result, typename... Parameters> struct Faked<Result(Parameters...)> {
    template <const char* Name, std::function<Result(Parameters...)> RecordingFake::Hooks::*Hook>
    static Result Call(Parameters... parameters)
    {
        RecordingFake& fake = RecordingFake::Current();
        auto arguments = std::make_tuple(parameters...);
        fake.Record({Name, RecordAll(arguments, std::index_sequence_for<Parameters...>())});
        if (const auto& hook = fake.on.*Hook)
            return hook(parameters...);
        if constexpr (std::is_same_v<Result, GpStatus>) {
            GpStatus status = fake.StatusFor(Name);
            if (status == Ok)
                (IssueIfOutHandle(parameters), ...);
            return status;
        } else if constexpr (!std::is_void_v<Result>) {
            return Result{};
        }
    }
};

#define QUILLORY_ROUTINE(name, result, parameters) constexpr char name##Name[] = #name;
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE

FlatRoutines FakeTable()
{
    FlatRoutines table;
#define QUILLORY_ROUTINE(name, result, parameters)                                                                     \
    table.name = &Faked<result parameters>::Call<name##Name, &RecordingFake::Hooks::name>;
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
    return table;
}

} // namespace

RecordingFake::RecordingFake()
{
    hadPrevious_ = RoutinesBound();
    previous_ = Flat();
    CurrentFake = this;
    // Platform memory behaves as memory, so wrappers that allocate work.
    on.GdipAlloc = [](size_t size) { return std::malloc(size); };
    on.GdipFree = [](void* pointer) { std::free(pointer); };
    InstallRoutines(FakeTable());
}

RecordingFake::~RecordingFake()
{
    if (hadPrevious_)
        InstallRoutines(previous_);
    else
        ClearRoutines();
    CurrentFake = nullptr;
}

RecordingFake& RecordingFake::Current()
{
    return *CurrentFake;
}

std::vector<Call> RecordingFake::CallsTo(std::string_view routine) const
{
    std::vector<Call> matching;
    for (const auto& call : calls_)
        if (call.routine == routine)
            matching.push_back(call);
    return matching;
}

std::vector<std::string> RecordingFake::RoutinesCalled() const
{
    std::vector<std::string> names;
    for (const auto& call : calls_)
        names.push_back(call.routine);
    return names;
}

void RecordingFake::SetStatus(std::string_view routine, GpStatus status)
{
    statuses_.insert_or_assign(std::string(routine), status);
}

GpStatus RecordingFake::StatusFor(std::string_view routine) const
{
    auto found = statuses_.find(routine);
    return found == statuses_.end() ? Ok : found->second;
}

} // namespace quillory::testing
