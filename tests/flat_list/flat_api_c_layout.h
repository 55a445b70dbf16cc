/* The record layouts as the C compiler sees them, for comparison in C++. */
#ifndef QUILLORY_TESTS_FLAT_API_C_LAYOUT_H
#define QUILLORY_TESTS_FLAT_API_C_LAYOUT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct CRecordLayout {
    const char* field; /* "Record.field" */
    size_t recordSize;
    size_t fieldOffset;
};

/* One entry per row of record_layouts.def, in its order; the array is static. */
const struct CRecordLayout* c_record_layouts(size_t* count);

#ifdef __cplusplus
}
#endif

#endif
