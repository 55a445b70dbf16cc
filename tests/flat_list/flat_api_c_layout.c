/* Compiled as C: the boundary headers must be usable from C, and the C
 * compiler must lay the records out exactly as the C++ compiler does. */
#include <gdiplus/flat_api.h>

#include "flat_api_c_layout.h"

#define QUILLORY_RECORD_LAYOUT(record, field, size, offset)                                                            \
    {#record "." #field, sizeof(record), offsetof(record, field)},

static const struct CRecordLayout layouts[] = {
#include "record_layouts.def"
};

#undef QUILLORY_RECORD_LAYOUT

const struct CRecordLayout* c_record_layouts(size_t* count)
{
    *count = sizeof layouts / sizeof layouts[0];
    return layouts;
}
