#pragma once

#include <windows.h>

#include <cstddef>

namespace zor::hostsim {

// Counts the GDI objects a module creates and has not deleted. wine answers 0 to
// GetGuiResources, so the module's imports of gdi32's create and delete functions are replaced
// by counting wrappers. Counted: fonts, pens, brushes, bitmaps (compatible, plain, DIB
// sections, from a DIB), memory and display DCs, and regions made through these imports.
// Not counted: objects that other libraries create for the module (LoadImage, LoadIcon, the
// controls' own fonts), since they never pass through its import table.
void countGdiObjectsOf(HMODULE module);

// Handles created through the hooks and not yet deleted; a handle deleted twice counts once.
std::size_t gdiObjectsLeft();

}  // namespace zor::hostsim
