#pragma once

#include <windows.h>

#include "framework/Wnd.h"

namespace zor::fw {

// A window of the framework's own class ("ZorFwFrame": double clicks, no background brush, the
// arrow cursor), registered once per module on first use and unregistered when the module unloads.
// A frame window object lives on the heap and deletes itself after its window is destroyed; one
// whose window was never made (or failed to be made) is deleted by whoever made the object.
class CFrameWnd : public CWnd {
  public:
    static const char* ClassName();

    bool Create(const char* title, DWORD style, const RECT& rect, HWND parent, UINT id = 0,
                DWORD exStyle = 0);

  protected:
    void PostNcDestroy() override;
};

}  // namespace zor::fw
