// Palette bitmaps with the system's button colours: well-formed variants load with the greys
// replaced, malformed ones answer FALSE, and no byte past the block is read (the block ends
// where an inaccessible page begins).
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/syscolorbitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// A block whose last byte is followed by an inaccessible page.
class GuardedBlock {
public:
    explicit GuardedBlock(const std::vector<BYTE>& bytes) {
        const SIZE_T page = 4096, pages = bytes.size() / page + 2;
        m_base = static_cast<BYTE*>(
            ::VirtualAlloc(NULL, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        ::VirtualProtect(m_base + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        m_data = m_base + (pages - 1) * page - bytes.size();
        std::memcpy(m_data, bytes.data(), bytes.size());
        m_size = static_cast<DWORD>(bytes.size());
    }
    ~GuardedBlock() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    const void* data() const { return m_data; }
    DWORD size() const { return m_size; }

private:
    BYTE* m_base;
    BYTE* m_data;
    DWORD m_size;
};

// A packed 4 x 2 palette bitmap: top row indices 0..3, bottom row index 4 (red).
struct DibSpec {
    WORD bpp = 4;
    DWORD headerSize = 40;
    DWORD clrUsed = 0; // 0: the full palette is stored
    LONG height = 2;   // negative: top-down rows
    int cut = 0;       // bytes taken off the end
    DWORD compression = BI_RGB;
};

std::vector<BYTE> MakeDib(const DibSpec& spec) {
    const DWORD colours = spec.clrUsed ? spec.clrUsed : (spec.bpp <= 8 ? 1u << spec.bpp : 0u);
    BITMAPINFOHEADER h = {};
    h.biSize = spec.headerSize;
    h.biWidth = 4;
    h.biHeight = spec.height;
    h.biPlanes = 1;
    h.biBitCount = spec.bpp;
    h.biCompression = spec.compression;
    h.biClrUsed = spec.clrUsed;
    // A header shorter than the structure keeps only its first bytes.
    std::vector<BYTE> out(spec.headerSize, 0);
    std::memcpy(out.data(), &h, std::min<size_t>(sizeof(h), spec.headerSize));
    const DWORD table[5] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0xFF0000};
    for (DWORD i = 0; i < colours; ++i) {
        const DWORD entry = i < 5 ? table[i] : 0x123456;
        const BYTE* p = reinterpret_cast<const BYTE*>(&entry);
        out.insert(out.end(), p, p + 4);
    }
    const int stride = ((4 * spec.bpp + 31) / 32) * 4;
    std::vector<BYTE> top(size_t(stride), 0), bottom(size_t(stride), 0);
    for (int x = 0; x < 4; ++x) {
        if (spec.bpp == 4) {
            top[size_t(x / 2)] |= BYTE(x << (x % 2 ? 0 : 4));
            bottom[size_t(x / 2)] |= BYTE(4 << (x % 2 ? 0 : 4));
        } else if (spec.bpp == 8) {
            top[size_t(x)] = BYTE(x);
            bottom[size_t(x)] = 4;
        } else { // 24 bits: the colours themselves
            std::memset(&top[size_t(3 * x)], 0x40 * x, 3);
        }
    }
    const bool bottomUp = spec.height > 0;
    const std::vector<BYTE>& first = bottomUp ? bottom : top;
    const std::vector<BYTE>& second = bottomUp ? top : bottom;
    out.insert(out.end(), first.begin(), first.end());
    out.insert(out.end(), second.begin(), second.end());
    out.resize(out.size() - size_t(spec.cut));
    return out;
}

std::vector<COLORREF> Loaded(CBitmap& bitmap) {
    CClientDC screen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    dc.SelectObject(pOld);
    return pixels;
}

} // namespace

TEST(SysColorBitmap, LoadsEveryWellFormedVariantWithTheSystemColours) {
    const COLORREF red = RGB(255, 0, 0);
    const std::vector<COLORREF> expected = {::GetSysColor(COLOR_BTNTEXT),
                                            ::GetSysColor(COLOR_BTNSHADOW),
                                            ::GetSysColor(COLOR_BTNFACE),
                                            ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                            red,
                                            red,
                                            red,
                                            red};
    struct Case {
        const char* name;
        DibSpec spec;
    } cases[] = {
        {"4 bits", {}},
        {"short palette", {8, 40, 5}},
        {"larger header", {4, 124}},
        {"top-down", {4, 40, 0, -2}},
    };
    for (const Case& c : cases) {
        GuardedBlock block(MakeDib(c.spec));
        CBitmap bitmap;
        ASSERT_TRUE(LoadSysColorBitmap(bitmap, block.data(), block.size())) << c.name;
        EXPECT_EQ(Loaded(bitmap), expected) << c.name;
    }
}

TEST(SysColorBitmap, RefusesMalformedBlocksWithoutReadingPastThem) {
    struct Case {
        const char* name;
        DibSpec spec;
        size_t keep; // 0: the whole block
    } cases[] = {
        {"24 bits", {24}, 0},
        {"one byte short", {4, 40, 0, 2, 1}, 0},
        {"short palette, cut", {8, 40, 5, 2, 1}, 0},
        {"more colours than the bit count holds", {4, 40, 17}, 0},
        {"header beyond the block", {4, 4000}, 200},
        {"header smaller than a bitmap header", {4, 12}, 0},
        {"only part of the header", {}, 20},
        {"compressed", {4, 40, 0, 2, 0, BI_RLE4}, 0},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = MakeDib(c.spec);
        if (c.keep != 0)
            bytes.resize(c.keep);
        GuardedBlock block(bytes);
        CBitmap bitmap;
        EXPECT_FALSE(LoadSysColorBitmap(bitmap, block.data(), block.size())) << c.name;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr) << c.name;
    }
}

TEST(SysColorBitmap, LoadsFromTheResourceModule) {
    CBitmap bitmap;
    ASSERT_TRUE(LoadSysColorBitmap(bitmap, MAKEINTRESOURCE(2001)));
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 15);
    CClientDC screen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    EXPECT_EQ(dc.GetPixel(0, 0), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dc.GetPixel(2, 1), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(dc.GetPixel(4, 2), RGB(255, 0, 0));
    dc.SelectObject(pOld);
    EXPECT_FALSE(LoadSysColorBitmap(bitmap, MAKEINTRESOURCE(2999)));
}
