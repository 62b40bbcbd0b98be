#include "tools/hostsim/Screenshot.h"

#include <fstream>
#include <vector>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"

namespace zor::hostsim {
namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr WORD kBitsPerPixel = 24;

// Screen DCs and memory DCs released on every path.
class ScreenCopy {
  public:
    ScreenCopy(int width, int height)
        : screen(GetDC(nullptr)),
          memory(CreateCompatibleDC(screen)),
          bitmap(CreateCompatibleBitmap(screen, width, height)) {}
    ~ScreenCopy() {
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    HDC screen;
    HDC memory;
    HBITMAP bitmap;
};

std::size_t rowBytes(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

template <typename Record>
void writeRecord(std::ofstream& file, const Record& record) {
    file.write(reinterpret_cast<const char*>(&record), sizeof record);
}

}  // namespace

void writeWindowShot(HWND window, const std::string& path) {
    RECT rect{};
    if (window == nullptr || !IsWindow(window) || !GetWindowRect(window, &rect)) {
        throw HostError("shot: there is no host frame");
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        throw HostError("shot: the host frame has no area");
    }
    ScreenCopy copy(width, height);
    const HGDIOBJ previous = SelectObject(copy.memory, copy.bitmap);
    BitBlt(copy.memory, 0, 0, width, height, copy.screen, rect.left, rect.top, SRCCOPY);
    SelectObject(copy.memory, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = kBitsPerPixel;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowBytes(width) * height);
    std::vector<char> pixels(info.biSizeImage);
    if (GetDIBits(copy.memory, copy.bitmap, 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
        throw HostError("shot: cannot read the pixels");
    }

    BITMAPFILEHEADER header{};
    header.bfType = kBmpSignature;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::ofstream file(filePath(path), std::ios::binary);
    writeRecord(file, header);
    writeRecord(file, info);
    file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    if (!file.flush()) {
        throw HostError("shot: cannot write " + path);
    }
}

}  // namespace zor::hostsim
