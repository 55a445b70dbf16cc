// The GDI and user routines the font wrappers call: the stock GUI font and the
// screen's device context. There are no windows on this platform.
#include "default_gui_font.h"

#include "win32/win32.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

// The stock font's handle is the address of this object: unique, never freed.
const int StockGuiFont = 0;

HGDIOBJ stockGuiFontHandle()
{
    return const_cast<int*>(&StockGuiFont);
}

// The screen device contexts GetDC has handed out and ReleaseDC has not taken
// back. Handles are numbers that are never reused, so a released or made-up
// handle is recognised as such.
struct ScreenDeviceContexts {
    std::mutex mutex;
    std::uintptr_t lastNumber = 0;
    std::unordered_set<std::uintptr_t> live;
};

ScreenDeviceContexts& screenDeviceContexts()
{
    static ScreenDeviceContexts* contexts = new ScreenDeviceContexts();
    return *contexts;
}

bool isScreenDeviceContext(HDC dc)
{
    ScreenDeviceContexts& contexts = screenDeviceContexts();
    std::lock_guard guard(contexts.mutex);
    return contexts.live.count(reinterpret_cast<std::uintptr_t>(dc)) != 0;
}

// Screens on this platform are treated as 96 dots per inch, the density at
// which Windows lays out an unscaled desktop.
constexpr int ScreenDotsPerInch = 96;

} // namespace

extern "C" HGDIOBJ GetStockObject(int object)
{
    return object == DEFAULT_GUI_FONT ? stockGuiFontHandle() : nullptr;
}

extern "C" int GetObjectA(HGDIOBJ object, int bytes, void* buffer)
{
    if (object != stockGuiFontHandle()) {
        return 0;
    }
    constexpr int RecordBytes = static_cast<int>(sizeof(LOGFONTA));
    if (buffer == nullptr || bytes == 0) {
        return RecordBytes;
    }
    if (bytes < RecordBytes) {
        return 0;
    }
    try {
        const LOGFONTA font = quillory::win32::DefaultGuiFont();
        std::memcpy(buffer, &font, sizeof font);
    } catch (...) {
        return 0;
    }
    return RecordBytes;
}

extern "C" HDC GetDC(HWND window)
{
    if (window != nullptr) {
        return nullptr;
    }
    ScreenDeviceContexts& contexts = screenDeviceContexts();
    std::lock_guard guard(contexts.mutex);
    // Spaced by 16 and offset by 8, so a device context never has the value
    // of a global-memory handle.
    const std::uintptr_t number = ((contexts.lastNumber + 1) << 4) | 8;
    try {
        contexts.live.insert(number);
    } catch (...) {
        return nullptr;
    }
    ++contexts.lastNumber;
    return reinterpret_cast<HDC>(number);
}

extern "C" int ReleaseDC(HWND window, HDC dc)
{
    if (window != nullptr) {
        return 0;
    }
    ScreenDeviceContexts& contexts = screenDeviceContexts();
    std::lock_guard guard(contexts.mutex);
    return contexts.live.erase(reinterpret_cast<std::uintptr_t>(dc)) != 0 ? 1 : 0;
}

extern "C" int GetDeviceCaps(HDC dc, int index)
{
    if (!isScreenDeviceContext(dc)) {
        return 0;
    }
    return index == LOGPIXELSX || index == LOGPIXELSY ? ScreenDotsPerInch : 0;
}
