#include "tools/hostsim/GdiCounter.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string_view>

namespace zor::hostsim {
namespace {

std::mutex handlesMutex;
std::set<HGDIOBJ> liveHandles;

template <typename Handle>
Handle created(Handle handle) {
    if (handle != nullptr) {
        const std::lock_guard<std::mutex> lock(handlesMutex);
        liveHandles.insert(reinterpret_cast<HGDIOBJ>(handle));
    }
    return handle;
}

BOOL deleted(HGDIOBJ handle, BOOL succeeded) {
    if (succeeded) {
        const std::lock_guard<std::mutex> lock(handlesMutex);
        liveHandles.erase(handle);
    }
    return succeeded;
}

// The real functions, called by the wrappers below.
struct RealGdi {
    decltype(&CreateFontIndirectA) createFontIndirectA = nullptr;
    decltype(&CreateFontA) createFontA = nullptr;
    decltype(&CreateFontIndirectW) createFontIndirectW = nullptr;
    decltype(&CreateFontW) createFontW = nullptr;
    decltype(&CreatePen) createPen = nullptr;
    decltype(&CreatePenIndirect) createPenIndirect = nullptr;
    decltype(&ExtCreatePen) extCreatePen = nullptr;
    decltype(&CreateSolidBrush) createSolidBrush = nullptr;
    decltype(&CreateBrushIndirect) createBrushIndirect = nullptr;
    decltype(&CreateHatchBrush) createHatchBrush = nullptr;
    decltype(&CreatePatternBrush) createPatternBrush = nullptr;
    decltype(&CreateCompatibleBitmap) createCompatibleBitmap = nullptr;
    decltype(&CreateBitmap) createBitmap = nullptr;
    decltype(&CreateBitmapIndirect) createBitmapIndirect = nullptr;
    decltype(&CreateDIBSection) createDIBSection = nullptr;
    decltype(&CreateDIBitmap) createDIBitmap = nullptr;
    decltype(&CreateCompatibleDC) createCompatibleDC = nullptr;
    decltype(&CreateDCA) createDCA = nullptr;
    decltype(&CreateDCW) createDCW = nullptr;
    decltype(&CreateRectRgn) createRectRgn = nullptr;
    decltype(&CreateRectRgnIndirect) createRectRgnIndirect = nullptr;
    decltype(&CreateRoundRectRgn) createRoundRectRgn = nullptr;
    decltype(&CreateEllipticRgn) createEllipticRgn = nullptr;
    decltype(&DeleteObject) deleteObject = nullptr;
    decltype(&DeleteDC) deleteDC = nullptr;
} real;

HFONT WINAPI hookCreateFontIndirectA(const LOGFONTA* font) {
    return created(real.createFontIndirectA(font));
}
HFONT WINAPI hookCreateFontA(int height, int width, int escapement, int orientation, int weight,
                             DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                             DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                             DWORD pitchAndFamily, LPCSTR face) {
    return created(real.createFontA(height, width, escapement, orientation, weight, italic,
                                    underline, strikeOut, charSet, outPrecision, clipPrecision,
                                    quality, pitchAndFamily, face));
}
HFONT WINAPI hookCreateFontIndirectW(const LOGFONTW* font) {
    return created(real.createFontIndirectW(font));
}
HFONT WINAPI hookCreateFontW(int height, int width, int escapement, int orientation, int weight,
                             DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                             DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                             DWORD pitchAndFamily, LPCWSTR face) {
    return created(real.createFontW(height, width, escapement, orientation, weight, italic,
                                    underline, strikeOut, charSet, outPrecision, clipPrecision,
                                    quality, pitchAndFamily, face));
}
HPEN WINAPI hookCreatePen(int style, int width, COLORREF color) {
    return created(real.createPen(style, width, color));
}
HPEN WINAPI hookCreatePenIndirect(const LOGPEN* pen) {
    return created(real.createPenIndirect(pen));
}
HPEN WINAPI hookExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD count,
                             const DWORD* styles) {
    return created(real.extCreatePen(style, width, brush, count, styles));
}
HBRUSH WINAPI hookCreateSolidBrush(COLORREF color) {
    return created(real.createSolidBrush(color));
}
HBRUSH WINAPI hookCreateBrushIndirect(const LOGBRUSH* brush) {
    return created(real.createBrushIndirect(brush));
}
HBRUSH WINAPI hookCreateHatchBrush(int hatch, COLORREF color) {
    return created(real.createHatchBrush(hatch, color));
}
HBRUSH WINAPI hookCreatePatternBrush(HBITMAP bitmap) {
    return created(real.createPatternBrush(bitmap));
}
HBITMAP WINAPI hookCreateCompatibleBitmap(HDC dc, int width, int height) {
    return created(real.createCompatibleBitmap(dc, width, height));
}
HBITMAP WINAPI hookCreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                                const void* bits) {
    return created(real.createBitmap(width, height, planes, bitsPerPixel, bits));
}
HBITMAP WINAPI hookCreateBitmapIndirect(const BITMAP* bitmap) {
    return created(real.createBitmapIndirect(bitmap));
}
HBITMAP WINAPI hookCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                    HANDLE section, DWORD offset) {
    return created(real.createDIBSection(dc, info, usage, bits, section, offset));
}
HBITMAP WINAPI hookCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                  const void* bits, const BITMAPINFO* info, UINT usage) {
    return created(real.createDIBitmap(dc, header, init, bits, info, usage));
}
HDC WINAPI hookCreateCompatibleDC(HDC dc) {
    return created(real.createCompatibleDC(dc));
}
HDC WINAPI hookCreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
    return created(real.createDCA(driver, device, port, mode));
}
HDC WINAPI hookCreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const DEVMODEW* mode) {
    return created(real.createDCW(driver, device, port, mode));
}
HRGN WINAPI hookCreateRectRgn(int left, int top, int right, int bottom) {
    return created(real.createRectRgn(left, top, right, bottom));
}
HRGN WINAPI hookCreateRectRgnIndirect(const RECT* rect) {
    return created(real.createRectRgnIndirect(rect));
}
HRGN WINAPI hookCreateRoundRectRgn(int left, int top, int right, int bottom, int width,
                                   int height) {
    return created(real.createRoundRectRgn(left, top, right, bottom, width, height));
}
HRGN WINAPI hookCreateEllipticRgn(int left, int top, int right, int bottom) {
    return created(real.createEllipticRgn(left, top, right, bottom));
}
BOOL WINAPI hookDeleteObject(HGDIOBJ object) {
    return deleted(object, real.deleteObject(object));
}
BOOL WINAPI hookDeleteDC(HDC dc) {
    return deleted(dc, real.deleteDC(dc));
}

struct Hook {
    const char* name;
    void* wrapper;
    void** realSlot;
};

template <typename Function>
Hook hook(const char* name, Function wrapper, Function& realSlot) {
    return Hook{name, reinterpret_cast<void*>(wrapper), reinterpret_cast<void**>(&realSlot)};
}

const Hook* hooks(std::size_t& count) {
    static const Hook table[] = {
        hook("CreateFontIndirectA", &hookCreateFontIndirectA, real.createFontIndirectA),
        hook("CreateFontA", &hookCreateFontA, real.createFontA),
        hook("CreateFontIndirectW", &hookCreateFontIndirectW, real.createFontIndirectW),
        hook("CreateFontW", &hookCreateFontW, real.createFontW),
        hook("CreatePen", &hookCreatePen, real.createPen),
        hook("CreatePenIndirect", &hookCreatePenIndirect, real.createPenIndirect),
        hook("ExtCreatePen", &hookExtCreatePen, real.extCreatePen),
        hook("CreateSolidBrush", &hookCreateSolidBrush, real.createSolidBrush),
        hook("CreateBrushIndirect", &hookCreateBrushIndirect, real.createBrushIndirect),
        hook("CreateHatchBrush", &hookCreateHatchBrush, real.createHatchBrush),
        hook("CreatePatternBrush", &hookCreatePatternBrush, real.createPatternBrush),
        hook("CreateCompatibleBitmap", &hookCreateCompatibleBitmap, real.createCompatibleBitmap),
        hook("CreateBitmap", &hookCreateBitmap, real.createBitmap),
        hook("CreateBitmapIndirect", &hookCreateBitmapIndirect, real.createBitmapIndirect),
        hook("CreateDIBSection", &hookCreateDIBSection, real.createDIBSection),
        hook("CreateDIBitmap", &hookCreateDIBitmap, real.createDIBitmap),
        hook("CreateCompatibleDC", &hookCreateCompatibleDC, real.createCompatibleDC),
        hook("CreateDCA", &hookCreateDCA, real.createDCA),
        hook("CreateDCW", &hookCreateDCW, real.createDCW),
        hook("CreateRectRgn", &hookCreateRectRgn, real.createRectRgn),
        hook("CreateRectRgnIndirect", &hookCreateRectRgnIndirect, real.createRectRgnIndirect),
        hook("CreateRoundRectRgn", &hookCreateRoundRectRgn, real.createRoundRectRgn),
        hook("CreateEllipticRgn", &hookCreateEllipticRgn, real.createEllipticRgn),
        hook("DeleteObject", &hookDeleteObject, real.deleteObject),
        hook("DeleteDC", &hookDeleteDC, real.deleteDC),
    };
    count = sizeof table / sizeof table[0];
    return table;
}

void loadRealFunctions() {
    HMODULE gdi = GetModuleHandleW(L"gdi32.dll");
    std::size_t count = 0;
    const Hook* table = hooks(count);
    for (std::size_t i = 0; i < count; ++i) {
        *table[i].realSlot = reinterpret_cast<void*>(GetProcAddress(gdi, table[i].name));
    }
}

// The hook for an import, found by its name or, for an entry imported by ordinal or bound
// in advance, by the address it holds.
const Hook* hookFor(std::string_view importName, void* address) {
    std::size_t count = 0;
    const Hook* table = hooks(count);
    for (std::size_t i = 0; i < count; ++i) {
        if ((!importName.empty() && importName == table[i].name) ||
            (*table[i].realSlot != nullptr && address == *table[i].realSlot)) {
            return &table[i];
        }
    }
    return nullptr;
}

void patchSlot(void** slot, void* wrapper) {
    DWORD oldProtection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection)) {
        *slot = wrapper;
        VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    }
}

void patchGdiImports(BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& descriptor) {
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor.FirstThunk);
    const auto* names =
        descriptor.OriginalFirstThunk != 0
            ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor.OriginalFirstThunk)
            : nullptr;
    for (std::size_t i = 0; slots[i].u1.Function != 0; ++i) {
        std::string_view importName;
        if (names != nullptr && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) {
            const auto* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
            importName = reinterpret_cast<const char*>(byName->Name);
        }
        auto** slot = reinterpret_cast<void**>(&slots[i].u1.Function);
        if (const Hook* found = hookFor(importName, *slot)) {
            patchSlot(slot, found->wrapper);
        }
    }
}

}  // namespace

void countGdiObjectsOf(HMODULE module) {
    loadRealFunctions();
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return;
    }
    for (const auto* descriptor =
             reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), "gdi32.dll") == 0) {
            patchGdiImports(base, *descriptor);
        }
    }
}

std::size_t gdiObjectsLeft() {
    const std::lock_guard<std::mutex> lock(handlesMutex);
    return liveHandles.size();
}

}  // namespace zor::hostsim
