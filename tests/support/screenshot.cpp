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

bool SaveScreenPng(const RECT& rect, const wchar_t* pszPath) {
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);

    const bool bOk = WriteBitmapPng(hBitmap, pszPath);
    ::DeleteObject(hBitmap);
    return bOk;
}
