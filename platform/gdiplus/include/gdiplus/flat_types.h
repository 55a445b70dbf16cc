/* The C types that cross the engine's boundary: statuses, the enumerations the
 * flat routines take (as plain 32-bit integers, so an out-of-range value reaches
 * the engine intact and is refused there), opaque object handles, the records
 * whose layout callers and the engine share, and the callback types.
 *
 * Plain C so that any caller can use it; records use natural alignment, which
 * is the layout the interface defines for a 64-bit target. */
#ifndef QUILLORY_GDIPLUS_FLAT_TYPES_H
#define QUILLORY_GDIPLUS_FLAT_TYPES_H

#include <stddef.h>
#include <stdint.h>

#include <win32/win32_types.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
#define QUILLORY_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define QUILLORY_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* Statuses. A routine's answer is a GpStatus; the named values come from one table. */
typedef int32_t GpStatus;

enum GpStatusCode {
#define QUILLORY_STATUS(value, name) name = value,
#include <gdiplus/status_codes.def>
#undef QUILLORY_STATUS
};

/* Scalars. */
typedef float REAL;
typedef uint32_t ARGB; /* 0xAARRGGBB, straight (not premultiplied) alpha */
typedef uint16_t UINT16;
typedef WORD LANGID;
typedef INT PixelFormat;

enum GpPixelFormatCode {
#define QUILLORY_PIXEL_FORMAT(name, code) name = code,
#include <gdiplus/pixel_formats.def>
#undef QUILLORY_PIXEL_FORMAT
};

/* Enumerations as the routines take them. They are integers, not C enums, so
 * that the width is fixed at 32 bits and a caller's bad value is not undefined
 * behaviour on our side of the boundary. */
typedef INT GpUnit;
typedef INT GpFillMode;
typedef INT GpMatrixOrder;
typedef INT GpBrushType;
typedef INT GpCoordinateSpace;
typedef INT GpFlushIntention;
typedef INT GpImageType;
typedef INT CombineMode;
typedef INT CompositingMode;
typedef INT CompositingQuality;
typedef INT SmoothingMode;
typedef INT InterpolationMode;
typedef INT PixelOffsetMode;
typedef INT TextRenderingHint;
typedef INT StringAlignment;
typedef INT StringTrimming;
typedef INT StringDigitSubstitute;
typedef INT RotateFlipType;
typedef INT EmfType;
typedef INT EmfPlusRecordType;
typedef INT DebugEventLevel;

/* Tokens of saved graphics states and open containers. */
typedef UINT GraphicsState;
typedef UINT GraphicsContainer;

/* Opaque object handles. The engine owns every object; a handle stays valid
 * until the matching Delete/Dispose routine. Kinds that the interface treats as
 * one family share a C type: every bitmap and metafile is an image, and a solid
 * brush is a brush; the engine checks the actual kind on each call. */
typedef struct GpImage GpImage;
typedef GpImage GpBitmap;
typedef GpImage GpMetafile;
typedef struct GpGraphics GpGraphics;
typedef struct GpBrush GpBrush;
typedef GpBrush GpSolidFill;
typedef struct GpPen GpPen;
typedef struct GpFont GpFont;
typedef struct GpFontFamily GpFontFamily;
typedef struct GpFontCollection GpFontCollection;
typedef struct GpStringFormat GpStringFormat;
typedef struct GpRegion GpRegion;
typedef struct GpMatrix GpMatrix;
typedef struct GpPath GpPath;
typedef struct GpCachedBitmap GpCachedBitmap;
typedef struct CGpEffect CGpEffect;

/* Geometry records; same layout on every target. */
typedef struct GpPoint {
    INT X;
    INT Y;
} GpPoint;

typedef struct GpPointF {
    REAL X;
    REAL Y;
} GpPointF;

typedef struct GpSize {
    INT Width;
    INT Height;
} GpSize;

typedef struct GpSizeF {
    REAL Width;
    REAL Height;
} GpSizeF;

typedef struct GpRect {
    INT X;
    INT Y;
    INT Width;
    INT Height;
} GpRect;

typedef struct GpRectF {
    REAL X;
    REAL Y;
    REAL Width;
    REAL Height;
} GpRectF;

typedef struct CharacterRange {
    INT First;
    INT Length;
} CharacterRange;

/* Callbacks. */
typedef void (*DebugEventProc)(DebugEventLevel level, CHAR* message);
typedef GpStatus (*NotificationHookProc)(ULONG_PTR* token);
typedef void (*NotificationUnhookProc)(ULONG_PTR token);
/* Answering TRUE asks the engine to stop the operation, which then reports Aborted. */
typedef BOOL (*GetThumbnailImageAbort)(void* callbackData);
typedef BOOL (*DrawImageAbort)(void* callbackData);
/* Answering FALSE stops the enumeration. */
typedef BOOL (*EnumerateMetafileProc)(
    EmfPlusRecordType recordType, UINT flags, UINT dataSize, const BYTE* data, void* callbackData);

/* Start-up records. GdiplusVersion 1 is the version this engine provides. */
typedef struct GdiplusStartupInput {
    UINT GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
} GdiplusStartupInput;

/* Filled only when the caller suppresses the background thread. */
typedef struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
} GdiplusStartupOutput;

/* Describes locked pixels. Stride is in bytes and negative for bottom-up rows.
 * Reserved belongs to the engine between LockBits and UnlockBits. */
typedef struct BitmapData {
    UINT Width;
    UINT Height;
    INT Stride;
    INT PixelFormat; /* a PixelFormat code */
    void* Scan0;
    UINT_PTR Reserved;
} BitmapData;

/* One codec. In a list handed out by the engine every pointer points into the
 * same caller buffer as the records themselves. */
typedef struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern; /* SigCount patterns of SigSize bytes */
    const BYTE* SigMask;    /* one mask per pattern, same size */
} ImageCodecInfo;

typedef struct EncoderParameter {
    GUID Guid;            /* the parameter's category */
    ULONG NumberOfValues; /* elements in Value, not bytes */
    ULONG Type;           /* EncoderParameterValueType: the element type of Value */
    void* Value;
} EncoderParameter;

/* Declared with one entry; a list of Count entries occupies
 * offsetof(EncoderParameters, Parameter) + Count * sizeof(EncoderParameter) bytes. */
typedef struct EncoderParameters {
    UINT Count;
    EncoderParameter Parameter[1];
} EncoderParameters;

typedef struct PropertyItem {
    PROPID id;
    ULONG length; /* bytes at value */
    WORD type;
    void* value;
} PropertyItem;

/* Declared with one entry; a palette of Count colours occupies
 * offsetof(ColorPalette, Entries) + Count * sizeof(ARGB) bytes. */
typedef struct ColorPalette {
    UINT Flags;
    UINT Count;
    ARGB Entries[1];
} ColorPalette;

/* The Windows device-independent bitmap header taken by GdipCreateBitmapFromGdiDib.
 * Defined here because the Windows stand-ins do not otherwise need it. */
#ifndef QUILLORY_HAVE_BITMAPINFO
#define QUILLORY_HAVE_BITMAPINFO 1
typedef struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; /* positive for bottom-up rows */
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

/* Declared with one colour; the colour table that follows the header is as
 * long as the header says. */
typedef struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;
#endif

/* Layouts on this 64-bit target; a mismatch would silently corrupt every
 * record exchanged with a caller built against the interface. */
QUILLORY_STATIC_ASSERT(sizeof(void*) == 8, "the record layouts below are those of a 64-bit target");
QUILLORY_STATIC_ASSERT(sizeof(GdiplusStartupInput) == 24, "GdiplusStartupInput layout");
QUILLORY_STATIC_ASSERT(sizeof(GdiplusStartupOutput) == 16, "GdiplusStartupOutput layout");
QUILLORY_STATIC_ASSERT(sizeof(BitmapData) == 32, "BitmapData layout");
QUILLORY_STATIC_ASSERT(sizeof(ImageCodecInfo) == 104, "ImageCodecInfo layout");
QUILLORY_STATIC_ASSERT(sizeof(EncoderParameter) == 32, "EncoderParameter layout");
QUILLORY_STATIC_ASSERT(sizeof(EncoderParameters) == 40, "EncoderParameters layout");
QUILLORY_STATIC_ASSERT(sizeof(PropertyItem) == 24, "PropertyItem layout");
QUILLORY_STATIC_ASSERT(sizeof(ColorPalette) == 12, "ColorPalette layout");
QUILLORY_STATIC_ASSERT(sizeof(CharacterRange) == 8, "CharacterRange layout");
QUILLORY_STATIC_ASSERT(sizeof(GpPoint) == 8, "Point layout");
QUILLORY_STATIC_ASSERT(sizeof(GpPointF) == 8, "PointF layout");
QUILLORY_STATIC_ASSERT(sizeof(GpSize) == 8, "Size layout");
QUILLORY_STATIC_ASSERT(sizeof(GpSizeF) == 8, "SizeF layout");
QUILLORY_STATIC_ASSERT(sizeof(GpRect) == 16, "Rect layout");
QUILLORY_STATIC_ASSERT(sizeof(GpRectF) == 16, "RectF layout");
QUILLORY_STATIC_ASSERT(sizeof(LOGFONTA) == 60, "LOGFONTA layout");
QUILLORY_STATIC_ASSERT(sizeof(LOGFONTW) == 92, "LOGFONTW layout");
QUILLORY_STATIC_ASSERT(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER layout");
QUILLORY_STATIC_ASSERT(sizeof(GUID) == 16, "GUID layout");

#ifdef __cplusplus
}
#endif

#endif
