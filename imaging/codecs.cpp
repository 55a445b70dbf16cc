#include "codecs.h"

#include "gdiplus_binding.h"

#include <algorithm>
#include <cstddef>

namespace quillory {
namespace {

Bytes CopyOf(const BYTE* memory, std::uint64_t count)
{
    if (!memory || count == 0)
        return {};
    return Bytes(memory, memory + count);
}

CodecInfo FromPlatformRecord(const ImageCodecInfo& codec)
{
    CodecInfo record;
    record.Clsid = GuidToText(GuidBytes(codec.Clsid));
    record.FormatID = GuidToText(GuidBytes(codec.FormatID));
    record.CodecName = WideToAnsi(codec.CodecName);
    record.DllName = WideToAnsi(codec.DllName);
    record.FormatDescription = WideToAnsi(codec.FormatDescription);
    record.FilenameExtension = WideToAnsi(codec.FilenameExtension);
    record.MimeType = WideToAnsi(codec.MimeType);
    record.Flags = codec.Flags;
    record.Version = codec.Version;
    record.SigCount = codec.SigCount;
    record.SigSize = codec.SigSize;
    const std::uint64_t signatureBytes = std::uint64_t{codec.SigCount} * codec.SigSize;
    record.SigPattern = CopyOf(codec.SigPattern, signatureBytes);
    record.SigMask = CopyOf(codec.SigMask, signatureBytes);
    return record;
}

} // namespace

int GetImageEncoders(std::vector<CodecInfo>& records)
{
    UINT count = 0;
    UINT size = 0;
    if (StoreStatus(Flat().GdipGetImageEncodersSize(&count, &size)) != Ok)
        return 0;

    // The records hold pointers, so the buffer is allocated with the
    // alignment they need rather than as plain bytes.
    std::unique_ptr<void, FreeMemory> buffer(std::calloc(std::max<std::size_t>(size, 1), 1));
    if (!buffer) {
        StoreStatus(OutOfMemory);
        return 0;
    }
    auto* codecs = static_cast<ImageCodecInfo*>(buffer.get());
    // A failed listing leaves a zeroed buffer, which must not pass for a list
    // of encoders.
    if (StoreStatus(Flat().GdipGetImageEncoders(count, size, codecs)) != Ok)
        return 0;

    // Only the records the buffer really holds are read, whatever count the
    // platform reported; the text addresses point into the same buffer.
    const std::size_t held = std::min<std::size_t>(count, size / sizeof(ImageCodecInfo));
    std::vector<CodecInfo> listed(count);
    for (std::size_t index = 0; index < held; ++index)
        listed[index] = FromPlatformRecord(codecs[index]);
    records = std::move(listed);
    return static_cast<int>(count);
}

std::string FindEncoderClsid(const std::string& format)
{
    std::vector<CodecInfo> encoders;
    GetImageEncoders(encoders);
    for (const auto& encoder : encoders)
        if (encoder.FormatID == format)
            return encoder.Clsid;
    return {};
}

std::size_t EncoderValueSize(std::uint32_t type)
{
    switch (type) {
    case 1: // byte
    case 2: // ASCII
    case 7: // undefined
        return 1;
    case 3: // short
        return 2;
    case 4: // long
        return 4;
    case 5: // rational
    case 6: // long range
        return 8;
    case 8: // rational range
        return 16;
    default:
        return 0;
    }
}

NativeEncoderParameters::NativeEncoderParameters(const EncoderParameterSet& set)
{
    if (set.Count < 0 || static_cast<std::size_t>(set.Count) != set.Parameters.size())
        return;
    for (const auto& item : set.Parameters) {
        const std::uint64_t needed = std::uint64_t{item.NumberOfValues} * EncoderValueSize(item.Type);
        if (needed > item.Value.size())
            return;
    }

    const std::size_t entriesOffset = offsetof(EncoderParameters, Parameter);
    const std::size_t bytes =
        std::max(sizeof(EncoderParameters), entriesOffset + set.Parameters.size() * sizeof(EncoderParameter));
    list_.reset(std::calloc(1, bytes));
    if (!list_)
        return;
    auto* list = static_cast<EncoderParameters*>(list_.get());
    list->Count = static_cast<UINT>(set.Count);
    auto* entries = reinterpret_cast<EncoderParameter*>(static_cast<std::byte*>(list_.get()) + entriesOffset);
    for (std::size_t index = 0; index < set.Parameters.size(); ++index) {
        const auto& item = set.Parameters[index];
        entries[index].Guid = GuidFromBytes(TextToGuid(item.Guid));
        entries[index].NumberOfValues = item.NumberOfValues;
        entries[index].Type = item.Type;
        // The platform only reads the values, through the interface's
        // non-const pointer.
        entries[index].Value = item.Value.empty() ? nullptr : const_cast<std::uint8_t*>(item.Value.data());
    }
}

} // namespace quillory
