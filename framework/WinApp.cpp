#include "framework/WinApp.h"

namespace zor::fw {

namespace {

HINSTANCE lookUpFrameworkModule() {
    static const char anchor = 0;
    HMODULE module = nullptr;
    ::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&anchor), &module);
    return module;
}

}  // namespace

HINSTANCE frameworkModule() {
    static const HINSTANCE module = lookUpFrameworkModule();
    return module;
}

CWinApp* CWinApp::current_ = nullptr;

CWinApp::CWinApp() : instance_(frameworkModule()) {
    current_ = this;
}

CWinApp::~CWinApp() {
    if (current_ == this) {
        current_ = nullptr;
    }
}

}  // namespace zor::fw
