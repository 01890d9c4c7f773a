#include "window_capture.h"

#include <cstdio>

namespace {
// A 32-bit top-down DIB the size of the capture, with a DC selected on it.
class DibCanvas {
public:
    DibCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &m_pBits, NULL, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~DibCanvas() {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC dc() const { return m_hDC; }
    Capture Take() const {
        ::GdiFlush();
        Capture c;
        c.cx = m_cx;
        c.cy = m_cy;
        const DWORD* p = static_cast<const DWORD*>(m_pBits);
        c.pixels.assign(p, p + (size_t)m_cx * m_cy);
        return c;
    }

private:
    int m_cx, m_cy;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    void* m_pBits = nullptr;
};

void PrintTree(HWND hWnd, HDC hDC, POINT origin) {
    RECT rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    POINT ptClient = {0, 0};
    ::ClientToScreen(hWnd, &ptClient);
    ::SetViewportOrgEx(hDC, rcWindow.left - origin.x, rcWindow.top - origin.y, NULL);
    ::SendMessageW(hWnd, WM_PRINT, (WPARAM)hDC, PRF_NONCLIENT);
    ::SetViewportOrgEx(hDC, ptClient.x - origin.x, ptClient.y - origin.y, NULL);
    ::SendMessageW(hWnd, WM_ERASEBKGND, (WPARAM)hDC, 0);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)hDC, PRF_CLIENT);
    // Bottom of the z-order first, so that the top child ends on top.
    HWND hChild = ::GetWindow(hWnd, GW_CHILD);
    if (hChild == NULL)
        return;
    for (HWND h = ::GetWindow(hChild, GW_HWNDLAST); h != NULL; h = ::GetWindow(h, GW_HWNDPREV)) {
        if (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE)
            PrintTree(h, hDC, origin);
    }
}

void PutBigEndian(std::vector<unsigned char>& out, unsigned long v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(v >> shift));
}

unsigned long Crc(const unsigned char* p, size_t n) {
    unsigned long c = 0xFFFFFFFFul;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320ul & (0ul - (c & 1)));
    }
    return c ^ 0xFFFFFFFFul;
}

void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
    PutBigEndian(out, (unsigned long)data.size());
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc(body.data(), body.size()));
}
} // namespace

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= cx || y >= cy)
        return CLR_INVALID;
    const DWORD p = pixels[(size_t)y * cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Capture CaptureClient(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    DibCanvas canvas(rc.right, rc.bottom);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    return canvas.Take();
}

Capture CaptureWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    DibCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    PrintTree(hWnd, canvas.dc(), POINT{rc.left, rc.top});
    return canvas.Take();
}

Capture CaptureShownWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    DibCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC hWindowDC = ::GetWindowDC(hWnd);
    ::BitBlt(canvas.dc(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, hWindowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindowDC);
    return canvas.Take();
}

bool SavePng(const Capture& capture, const std::wstring& path) {
    // Scan lines of filter byte 0 and RGB, wrapped in stored deflate blocks.
    std::vector<unsigned char> raw;
    for (int y = 0; y < capture.cy; ++y) {
        raw.push_back(0);
        for (int x = 0; x < capture.cx; ++x) {
            const COLORREF c = capture.At(x, y);
            raw.push_back(GetRValue(c));
            raw.push_back(GetGValue(c));
            raw.push_back(GetBValue(c));
        }
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back((unsigned char)(n & 0xFF));
        z.push_back((unsigned char)(n >> 8));
        z.push_back((unsigned char)(~n & 0xFF));
        z.push_back((unsigned char)((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    unsigned long a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);

    std::vector<unsigned char> header;
    PutBigEndian(header, (unsigned long)capture.cx);
    PutBigEndian(header, (unsigned long)capture.cy);
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f == nullptr)
        return false;
    const bool bOK = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && bOK;
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
