#include "tests/support/screenshot.h"

#include <wincodec.h>

namespace {
template <class T> struct ComRelease {
    T* p = nullptr;
    ComRelease() = default;
    ComRelease(const ComRelease&) = delete;
    ComRelease& operator=(const ComRelease&) = delete;
    ~ComRelease() {
        if (p != nullptr)
            p->Release();
    }
};

bool Encode(HBITMAP hBitmap, const std::wstring& path) {
    ComRelease<IWICImagingFactory> factory;
    ComRelease<IWICBitmap> bitmap;
    ComRelease<IWICStream> stream;
    ComRelease<IWICBitmapEncoder> encoder;
    ComRelease<IWICBitmapFrameEncode> frame;
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(&factory.p))) &&
           SUCCEEDED(factory.p->CreateBitmapFromHBITMAP(hBitmap, NULL, WICBitmapIgnoreAlpha,
                                                        &bitmap.p)) &&
           SUCCEEDED(factory.p->CreateStream(&stream.p)) &&
           SUCCEEDED(stream.p->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory.p->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder.p)) &&
           SUCCEEDED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder.p->CreateNewFrame(&frame.p, NULL)) &&
           SUCCEEDED(frame.p->Initialize(NULL)) &&
           SUCCEEDED(frame.p->WriteSource(bitmap.p, NULL)) && SUCCEEDED(frame.p->Commit()) &&
           SUCCEEDED(encoder.p->Commit());
}
} // namespace

bool WriteBitmapPng(HBITMAP hBitmap, const std::wstring& path) {
    const HRESULT hrInit = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    const bool ok = Encode(hBitmap, path);
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return ok;
}

std::wstring ScreenshotPath(const wchar_t* name) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, exe, MAX_PATH);
    std::wstring dir(exe);
    for (int up = 0; up < 2; ++up) // drop the program's name, then its bin folder
        dir = dir.substr(0, dir.find_last_of(L"\\/"));
    dir += L"\\screens";
    ::CreateDirectoryW(dir.c_str(), NULL);
    return dir + L"\\" + name;
}

HBITMAP CaptureScreen(const RECT& rect) {
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0)
        return NULL;
    // Wine hands a window's paints to the display when its thread next waits for messages: the
    // screen read before that still shows the windows painted last as they were before, such as
    // a toolbar repainted just now as an empty strip.
    ::GdiFlush();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 0, QS_ALLINPUT);
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    if (hMem != NULL && hBitmap != NULL) {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
        ::SelectObject(hMem, hOld);
    }
    if (hMem != NULL)
        ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

bool SaveScreenPng(const RECT& rect, const wchar_t* pszPath) {
    HBITMAP hBitmap = CaptureScreen(rect);
    if (hBitmap == NULL)
        return false;
    const bool bOk = WriteBitmapPng(hBitmap, pszPath);
    ::DeleteObject(hBitmap);
    return bOk;
}
