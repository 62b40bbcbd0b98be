#pragma once

#include <windows.h>

// Owners for GDI handles. Each takes a handle the caller made with the gdi32 call itself
// (CreateSolidBrush, CreateCompatibleDC, ...) and frees it with a direct call of the matching
// gdi32 function, so every create and delete stays a call through the module's import table.
namespace zor::fw {

// A font, brush, pen or bitmap, deleted with DeleteObject. It must not be selected into a
// device context when it is deleted: put the previous object back first (ScopedSelect).
template <class Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    Handle release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr) {
        if (handle == handle_) {
            return;
        }
        if (handle_ != nullptr) {
            ::DeleteObject(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
  public:
    MemoryDC() = default;
    explicit MemoryDC(HDC dc) : dc_(dc) {}
    ~MemoryDC() { reset(); }
    MemoryDC(MemoryDC&& other) noexcept : dc_(other.release()) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

    HDC release() {
        HDC dc = dc_;
        dc_ = nullptr;
        return dc;
    }
    void reset(HDC dc = nullptr) {
        if (dc == dc_) {
            return;
        }
        if (dc_ != nullptr) {
            ::DeleteDC(dc_);
        }
        dc_ = dc;
    }

  private:
    HDC dc_ = nullptr;
};

// The device context of a window's client area (GetDC), given back with ReleaseDC.
class WindowDC {
  public:
    WindowDC() = default;
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() { reset(); }
    WindowDC(WindowDC&& other) noexcept : hwnd_(other.hwnd_), dc_(other.dc_) {
        other.hwnd_ = nullptr;
        other.dc_ = nullptr;
    }
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            reset();
            hwnd_ = other.hwnd_;
            dc_ = other.dc_;
            other.hwnd_ = nullptr;
            other.dc_ = nullptr;
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

    void reset() {
        if (dc_ != nullptr) {
            ::ReleaseDC(hwnd_, dc_);
        }
        hwnd_ = nullptr;
        dc_ = nullptr;
    }

  private:
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
};

// BeginPaint/EndPaint for a WM_PAINT handler.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &paint_)) {}
    ~PaintDC() { ::EndPaint(hwnd_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }
    const PAINTSTRUCT& paint() const { return paint_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context for a scope and puts the previous one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace zor::fw
