#pragma once

// The platform's image encoders and encoder parameter lists. Formats and
// encoders are named by GUID text in upper-case registry form.

#include "imaging_object.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace quillory {

// The BMP file format, the one format the library names itself.
inline constexpr const char* BmpFormatText = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";

// One encoder as the platform lists it, every field copied out of the
// platform's record.
struct CodecInfo {
    std::string Clsid;    // the encoder's class id
    std::string FormatID; // the file format it writes
    std::string CodecName;
    std::string DllName;
    std::string FormatDescription;
    std::string FilenameExtension;
    std::string MimeType;
    std::uint32_t Flags = 0;
    std::uint32_t Version = 0;
    std::uint32_t SigCount = 0;
    std::uint32_t SigSize = 0;
    Bytes SigPattern; // SigCount patterns of SigSize bytes
    Bytes SigMask;    // one mask per pattern
};

struct EncoderParameterItem {
    std::string Guid; // the parameter's category
    std::uint32_t NumberOfValues = 0;
    std::uint32_t Type = 0; // the platform's value type code, 1 to 8
    Bytes Value;            // the values in the platform's layout
};

struct EncoderParameterSet {
    std::int32_t Count = 0; // equals Parameters.size()
    std::vector<EncoderParameterItem> Parameters;
};

// Replaces `records` by the platform's encoders and returns their number.
// When the platform cannot list them, returns 0 and leaves `records` as it was.
int GetImageEncoders(std::vector<CodecInfo>& records);

// The class id of the first encoder whose FormatID is exactly `format`
// (case counts); empty text when none is. Enumerates anew on every call.
std::string FindEncoderClsid(const std::string& format);

// Bytes of one value of an encoder parameter type; 0 for a type without a
// fixed size.
std::size_t EncoderValueSize(std::uint32_t type);

// Releases memory from std::calloc, for the buffers handed to the platform.
struct FreeMemory {
    void operator()(void* memory) const { std::free(memory); }
};

// The platform's form of an EncoderParameterSet: a count, then one entry per
// item pointing at the item's Value. It borrows the values, so the set must
// outlive it; the platform only reads them.
class NativeEncoderParameters {
public:
    // Builds the list. Not Valid when the set would make the platform read
    // past a buffer: Count differing from the number of items, or a Value
    // shorter than its NumberOfValues values.
    explicit NativeEncoderParameters(const EncoderParameterSet& set);

    bool Valid() const { return list_ != nullptr; }
    const EncoderParameters* Get() const { return static_cast<const EncoderParameters*>(list_.get()); }

private:
    // Null when the set was refused or the list could not be allocated.
    std::unique_ptr<void, FreeMemory> list_;
};

} // namespace quillory
