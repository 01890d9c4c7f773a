// The header is checked against the block before anything is read through it: the colour
// count comes from biClrUsed (else 2 to the bit count), the pixels follow the header's own size
// and the colour table, and every read stays inside the resource.
#include "toolbars/drawing/syscolorbitmap.h"

#include <cstring>
#include <vector>

namespace {

// Colour-table values (blue in the low byte) and the system colour each one stands for.
struct SysColorMap {
    DWORD tableValue;
    int sysColor;
};
const SysColorMap kSysColorMap[] = {
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

DWORD ToTableValue(COLORREF c) {
    return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
}

// A packed palette bitmap that lies wholly inside its block.
struct CheckedDib {
    BITMAPINFOHEADER header;
    DWORD colours;
    const BYTE* table;
    const BYTE* pixels;
};

bool CheckDib(const BYTE* data, DWORD size, CheckedDib& dib) {
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER& h = dib.header;
    std::memcpy(&h, data, sizeof(h));
    const WORD bpp = h.biBitCount;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biPlanes != 1 ||
        (bpp != 1 && bpp != 4 && bpp != 8) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biHeight == LONG(0x80000000)) {
        return false;
    }
    const DWORD fullPalette = DWORD(1) << bpp;
    dib.colours = h.biClrUsed != 0 ? h.biClrUsed : fullPalette;
    if (dib.colours > fullPalette)
        return false;
    const ULONGLONG height = h.biHeight < 0 ? ULONGLONG(-LONGLONG(h.biHeight)) : h.biHeight;
    const ULONGLONG stride = (ULONGLONG(h.biWidth) * bpp + 31) / 32 * 4;
    const ULONGLONG pixelOffset = ULONGLONG(h.biSize) + 4ull * dib.colours;
    if (pixelOffset + stride * height > size)
        return false;
    dib.table = data + h.biSize;
    dib.pixels = data + pixelOffset;
    return true;
}

// Header and colour table for the system: a plain 40-byte header with the greys replaced.
std::vector<BYTE> MappedInfo(const CheckedDib& dib) {
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 4 * dib.colours);
    BITMAPINFOHEADER header = dib.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biClrUsed = dib.colours;
    header.biClrImportant = 0;
    header.biSizeImage = 0;
    std::memcpy(info.data(), &header, sizeof(header));
    BYTE* table = info.data() + sizeof(header);
    std::memcpy(table, dib.table, 4 * dib.colours);
    for (DWORD i = 0; i < dib.colours; ++i) {
        DWORD entry;
        std::memcpy(&entry, table + 4 * i, 4);
        for (const SysColorMap& row : kSysColorMap) {
            if ((entry & 0xFFFFFF) == row.tableValue) {
                entry = ToTableValue(::GetSysColor(row.sysColor));
                break;
            }
        }
        std::memcpy(table + 4 * i, &entry, 4);
    }
    return info;
}

} // namespace

BOOL LoadSysColorBitmap(CBitmap& bitmap, const void* pData, DWORD cbData) {
    CheckedDib dib;
    if (!CheckDib(static_cast<const BYTE*>(pData), cbData, dib))
        return FALSE;
    const std::vector<BYTE> info = MappedInfo(dib);
    const int cx = dib.header.biWidth;
    const int cy = dib.header.biHeight < 0 ? -dib.header.biHeight : dib.header.biHeight;

    CClientDC screen(NULL);
    CDC memDC;
    CBitmap made;
    if (!memDC.CreateCompatibleDC(&screen) || !made.CreateCompatibleBitmap(&screen, cx, cy))
        return FALSE;
    CBitmap* pOld = memDC.SelectObject(&made);
    const int lines = memDC.StretchDIBits(0, 0, cx, cy, 0, 0, cx, cy, dib.pixels,
                                          reinterpret_cast<const BITMAPINFO*>(info.data()),
                                          DIB_RGB_COLORS, SRCCOPY);
    memDC.SelectObject(pOld);
    if (lines == 0 || lines == int(GDI_ERROR))
        return FALSE;
    bitmap.DeleteObject();
    return bitmap.Attach(made.Detach());
}

BOOL LoadSysColorBitmap(CBitmap& bitmap, LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HRSRC hRes = ::FindResourceW(hInst, lpszResourceName, RT_BITMAP);
    if (hRes == NULL)
        return FALSE;
    const DWORD size = ::SizeofResource(hInst, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const void* pData = hGlobal != NULL ? ::LockResource(hGlobal) : nullptr;
    return pData != nullptr && LoadSysColorBitmap(bitmap, pData, size);
}
