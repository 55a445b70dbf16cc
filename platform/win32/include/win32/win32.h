/* The Windows routines the imaging library and the engine call, written for
 * Linux with the signatures and documented results Windows gives them.
 *
 * Every routine checks its arguments and answers a bad one with the failure
 * result Windows documents for it (0, NULL, an error HRESULT); none of them
 * crashes on a null pointer, a negative length or a stale handle.
 *
 * Text: the ANSI (0) and OEM (1) code pages are UTF-8 here, as is 65001.
 * Wide text is UTF-16LE in WCHAR units.
 *
 * Global memory: handles are opaque and are never the address of the bytes;
 * GlobalLock gives the address. The routines are safe to call from any thread.
 * The library is shared so that every module of the process sees one set of
 * handles and streams. */
#ifndef QUILLORY_WIN32_H
#define QUILLORY_WIN32_H

#include "win32/win32_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define QUILLORY_WIN32_API __attribute__((visibility("default")))

/* Code pages. */
enum { CP_ACP = 0, CP_OEMCP = 1, CP_UTF8 = 65001 };

/* Conversion flags. With the *_ERR_INVALID_CHARS flag a conversion fails (0)
 * on malformed input instead of substituting U+FFFD. */
enum { MB_PRECOMPOSED = 0x1, MB_COMPOSITE = 0x2, MB_USEGLYPHCHARS = 0x4, MB_ERR_INVALID_CHARS = 0x8 };
enum {
    WC_DISCARDNS = 0x10,
    WC_SEPCHARS = 0x20,
    WC_DEFAULTCHAR = 0x40,
    WC_ERR_INVALID_CHARS = 0x80,
    WC_COMPOSITECHECK = 0x200,
    WC_NO_BEST_FIT_CHARS = 0x400
};

/* Converts `textBytes` bytes of `text` (-1: up to and including its NUL) to
 * UTF-16. With `wideUnits` 0 nothing is written and the units needed are
 * returned; otherwise returns the units written, or 0 when they do not fit in
 * `wideUnits` (the buffer's contents are then unspecified) or an argument is
 * bad. Malformed UTF-8 becomes one U+FFFD per maximal ill-formed subsequence;
 * nothing at or past `text + textBytes` is read. */
QUILLORY_WIN32_API int MultiByteToWideChar(
    UINT codePage, DWORD flags, const char* text, int textBytes, WCHAR* wide, int wideUnits);

/* Converts `wideUnits` units of `wide` (-1: up to and including its NUL) to
 * UTF-8; the count rules are those of MultiByteToWideChar, in bytes. A lone
 * surrogate becomes U+FFFD, or for code pages 0 and 1 the single byte
 * `*defaultChar` when one is given; `*usedDefaultChar` (when given) tells
 * whether that happened. For 65001 both pointers must be NULL, as on Windows. */
QUILLORY_WIN32_API int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideUnits, char* text,
    int textBytes, const char* defaultChar, BOOL* usedDefaultChar);

/* Units before the first NUL; 0 for NULL. */
QUILLORY_WIN32_API int lstrlenW(const WCHAR* text);

/* Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper case) and a NUL into
 * `text` and returns 39, the units written; returns 0 and writes nothing when
 * `units` is below 39 or a pointer is NULL. */
QUILLORY_WIN32_API int StringFromGUID2(const GUID* guid, WCHAR* text, int units);

/* Parses the braced registry form (hex digits in either case) followed by a
 * NUL. An empty or NULL string gives S_OK and the all-zero GUID; anything else
 * gives CO_E_CLASSSTRING and the all-zero GUID. Never reads past the first NUL. */
QUILLORY_WIN32_API HRESULT CLSIDFromString(const WCHAR* text, CLSID* clsid);

/* Global memory. */
enum {
    GMEM_FIXED = 0x0,
    GMEM_MOVEABLE = 0x2,
    GMEM_ZEROINIT = 0x40,
    GMEM_MODIFY = 0x80,
    GHND = GMEM_MOVEABLE | GMEM_ZEROINIT
};

/* Returns a new block of exactly `bytes` bytes (GlobalSize reports that
 * number), zero-filled with GMEM_ZEROINIT; NULL when memory runs out. The
 * caller owns it and frees it with GlobalFree. */
QUILLORY_WIN32_API HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);

/* Locks the block and returns the address of its bytes, valid until the
 * matching GlobalUnlock: a locked block never moves. NULL for an unknown or
 * freed handle and for a block of zero bytes (no lock is then counted). */
QUILLORY_WIN32_API void* GlobalLock(HGLOBAL block);

/* Counts one lock off; TRUE while the block stays locked, FALSE once it is
 * unlocked, was not locked, or the handle is unknown. */
QUILLORY_WIN32_API BOOL GlobalUnlock(HGLOBAL block);

/* The block's size in bytes as last requested or written through a stream;
 * 0 for an unknown or freed handle. */
QUILLORY_WIN32_API SIZE_T GlobalSize(HGLOBAL block);

/* Frees the block, even a locked one (addresses from GlobalLock then dangle,
 * as on Windows). Returns NULL on success and the handle itself when it is
 * unknown or already freed. Streams still open on the block fail from then on
 * with STG_E_INVALIDHANDLE. */
QUILLORY_WIN32_API HGLOBAL GlobalFree(HGLOBAL block);

/* Resizes the block to exactly `bytes`, keeping its handle and its leading
 * bytes; GMEM_ZEROINIT zero-fills the growth. GMEM_MODIFY changes nothing here
 * (every block is movable) and returns the handle. Returns NULL, leaving the
 * block as it was, for an unknown handle, when memory runs out, or when a
 * locked block would have to move. */
QUILLORY_WIN32_API HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);

/* The interfaces a stream answers to. */
#define QUILLORY_WIN32_UNUSED __attribute__((unused))
static const IID IID_IUnknown QUILLORY_WIN32_UNUSED = {
    0x00000000u, 0x0000u, 0x0000u, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID IID_ISequentialStream QUILLORY_WIN32_UNUSED = {
    0x0C733A30u, 0x2A1Cu, 0x11CEu, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
static const IID IID_IStream QUILLORY_WIN32_UNUSED = {
    0x0000000Cu, 0x0000u, 0x0000u, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

/* Makes a read-write stream over `block` (NULL: a new empty movable block),
 * positioned at 0, whose length is the block's size. The caller owns the one
 * reference in `*stream`. Writing past the end grows the block under the same
 * handle, so GlobalSize always gives the stream's length. With
 * `deleteOnRelease` the last Release of the stream and its clones frees the
 * block; without it the block outlives them and the caller frees it. On
 * failure `*stream` is NULL: E_INVALIDARG for a NULL `stream` or an unknown
 * block, E_OUTOFMEMORY when memory runs out. */
QUILLORY_WIN32_API HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream);

/* The block under a stream made by CreateStreamOnHGlobal (or a clone of one);
 * E_INVALIDARG, with `*block` NULL, for any other pointer. The stream keeps
 * ownership as it was agreed at creation. */
QUILLORY_WIN32_API HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block);

/* Screen, fonts and device contexts. */
enum { DEFAULT_GUI_FONT = 17, LOGPIXELSX = 88, LOGPIXELSY = 90, DEFAULT_CHARSET = 1, FW_NORMAL = 400 };

/* The stock object `object`; only DEFAULT_GUI_FONT exists here, any other
 * index gives NULL. Stock objects are never freed. */
QUILLORY_WIN32_API HGDIOBJ GetStockObject(int object);

/* Copies the object's record into `buffer`: for the stock font a LOGFONTA
 * naming fontconfig's default sans-serif family (UTF-8, cut at a character
 * boundary to fit LF_FACESIZE with its NUL). With `buffer` NULL or `bytes` 0
 * returns the record's size; returns 0 when `bytes` is too small or the object
 * unknown, writing nothing. */
QUILLORY_WIN32_API int GetObjectA(HGDIOBJ object, int bytes, void* buffer);

/* GetDC(NULL) gives a new handle to the screen's device context, which the
 * caller gives back with ReleaseDC(NULL, dc); there are no windows, so any
 * other window gives NULL. */
QUILLORY_WIN32_API HDC GetDC(HWND window);

/* 1 when `dc` came from GetDC(`window`) and is now released, otherwise 0. */
QUILLORY_WIN32_API int ReleaseDC(HWND window, HDC dc);

/* LOGPIXELSX and LOGPIXELSY of a screen device context: 96 dots per inch.
 * 0 for other indices and for handles GetDC did not give out. */
QUILLORY_WIN32_API int GetDeviceCaps(HDC dc, int index);

#ifdef __cplusplus
}
#endif

#endif
