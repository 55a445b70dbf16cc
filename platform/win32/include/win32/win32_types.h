/* The Windows data types that the imaging interface and the Windows stand-ins
 * exchange, with the widths Windows gives them (LONG and DWORD are 32 bits even
 * where C's long is 64). C-compatible: the engine's boundary is plain C. */
#ifndef QUILLORY_WIN32_TYPES_H
#define QUILLORY_WIN32_TYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t INT;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t UINT_PTR;
typedef size_t SIZE_T;
typedef char CHAR;
typedef uint16_t WCHAR; /* one UTF-16LE unit */
typedef int32_t HRESULT;
typedef uint32_t PROPID;

typedef struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID CLSID;
typedef GUID IID;

/* Opaque handles of the Windows side; 0 means none. */
typedef struct HGLOBAL__* HGLOBAL;
typedef struct HDC__* HDC;
typedef struct HWND__* HWND;
typedef struct HBITMAP__* HBITMAP;
typedef struct HICON__* HICON;
typedef struct HRGN__* HRGN;
typedef struct HFONT__* HFONT;
typedef struct HPALETTE__* HPALETTE;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HENHMETAFILE__* HENHMETAFILE;
typedef struct HMETAFILE__* HMETAFILE;
typedef void* HGDIOBJ;
typedef void* HANDLE;

enum { LF_FACESIZE = 32 };

typedef struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;

typedef struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW;

/* COM results. */
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001u)
#define E_NOINTERFACE ((HRESULT)0x80004002u)
#define E_POINTER ((HRESULT)0x80004003u)
#define E_FAIL ((HRESULT)0x80004005u)
#define E_OUTOFMEMORY ((HRESULT)0x8007000Eu)
#define E_INVALIDARG ((HRESULT)0x80070057u)
#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001u)
#define STG_E_INVALIDHANDLE ((HRESULT)0x80030006u)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009u)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070u)
#define STG_E_INVALIDFLAG ((HRESULT)0x800300FFu)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3u)

typedef struct LARGE_INTEGER {
    int64_t QuadPart;
} LARGE_INTEGER;

typedef struct ULARGE_INTEGER {
    uint64_t QuadPart;
} ULARGE_INTEGER;

typedef struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

typedef struct STATSTG {
    WCHAR* pwcsName;
    DWORD type;
    ULARGE_INTEGER cbSize;
    FILETIME mtime;
    FILETIME ctime;
    FILETIME atime;
    DWORD grfMode;
    DWORD grfLocksSupported;
    CLSID clsid;
    DWORD grfStateBits;
    DWORD reserved;
} STATSTG;

/* Seek origins and Stat flags of IStream. */
enum { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };
enum { STATFLAG_DEFAULT = 0, STATFLAG_NONAME = 1 };
enum { STGTY_STREAM = 2 };
enum { STGM_READWRITE = 2 };

/* A COM-style stream: a pointer to a table of methods in the COM order
 * (IUnknown's three, then ISequentialStream's two, then IStream's nine). */
typedef struct IStream IStream;
typedef struct IStreamVtbl {
    HRESULT (*QueryInterface)(IStream* self, const IID* iid, void** object);
    ULONG (*AddRef)(IStream* self);
    ULONG (*Release)(IStream* self);
    HRESULT (*Read)(IStream* self, void* buffer, ULONG count, ULONG* read);
    HRESULT (*Write)(IStream* self, const void* buffer, ULONG count, ULONG* written);
    HRESULT (*Seek)(IStream* self, LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position);
    HRESULT (*SetSize)(IStream* self, ULARGE_INTEGER size);
    HRESULT (*CopyTo)
    (IStream* self, IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read, ULARGE_INTEGER* written);
    HRESULT (*Commit)(IStream* self, DWORD flags);
    HRESULT (*Revert)(IStream* self);
    HRESULT (*LockRegion)(IStream* self, ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType);
    HRESULT (*UnlockRegion)(IStream* self, ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType);
    HRESULT (*Stat)(IStream* self, STATSTG* stat, DWORD flags);
    HRESULT (*Clone)(IStream* self, IStream** clone);
} IStreamVtbl;

struct IStream {
    const IStreamVtbl* lpVtbl;
};

#ifdef __cplusplus
}
#endif

#endif
