// Times the button image store and the glyph effects against the common controls' image list
// on strips of 16, 128 and 512 images of 16 x 15 from the program's resources, and prints each
// figure as a ratio to the image list's, with the target beside it.
//   build: the store loading a strip colour-mapped (toolbar resource, system colours, bitmap)
//          vs ImageList_LoadImage with LR_LOADMAP3DCOLORS of the same strip;
//   draw:  per image, from the store's bitmap, the normal (transparent copy), hot (shadow two
//          pixels off, then the copy) and disabled (embossed) looks vs three ImageList_Draw
//          (ILD_TRANSPARENT) calls.
#include "bench/bench_clock.h"
#include "toolbars/drawing/bmpmgr.h"
#include "toolbars/drawing/emboss.h"
#include "toolbars/drawing/imageeffects.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kRuns = 5;
const double kTarget = 1.5;
const int kImageWidth = 16, kImageHeight = 15;

// The median of kRuns timings of work, in milliseconds.
double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        work();
        times.push_back((Now() - start) * 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

void Report(const char* what, int images, double ours, double peer) {
    const double ratio = peer > 0 ? ours / peer : 0;
    std::printf("  %-6s %4d images: %9.3f ms vs image list %9.3f ms  ratio %5.2f  (target <= %.1f)"
                "%s\n",
                what, images, ours, peer, ratio, kTarget, ratio <= kTarget ? "" : "  OVER");
}

// Where image i is drawn on the canvas: a grid that leaves room for the hot look's shadow.
POINT Place(int i) {
    return {(i % 32) * 20, (i / 32 % 24) * 20};
}

void Bench(int images, UINT resource) {
    LPCTSTR name = MAKEINTRESOURCE(resource);
    HINSTANCE hInst = AfxGetResourceHandle();

    const double build = Median([&] {
        SECBmpMgr* store = new SECBmpMgr;
        store->LoadToolBar(name);
        store->Release();
    });
    const double buildPeer = Median([&] {
        HIMAGELIST list = ImageList_LoadImageW(hInst, name, kImageWidth, 0, CLR_DEFAULT,
                                               IMAGE_BITMAP, LR_LOADMAP3DCOLORS);
        ImageList_Destroy(list);
    });
    Report("build", images, build, buildPeer);

    SECBmpMgr* store = new SECBmpMgr;
    store->LoadToolBar(name);
    HBITMAP hStrip = NULL;
    int index = 0;
    store->GetImage(1000, hStrip, index);
    HIMAGELIST list = ImageList_LoadImageW(hInst, name, kImageWidth, 0, CLR_DEFAULT, IMAGE_BITMAP,
                                           LR_LOADMAP3DCOLORS);
    if (hStrip == NULL || list == NULL || ImageList_GetImageCount(list) != images) {
        std::printf("  strip %u did not load\n", resource);
        return;
    }

    CClientDC screen(NULL);
    CDC canvas, glyphs;
    CBitmap canvasBitmap;
    canvas.CreateCompatibleDC(&screen);
    glyphs.CreateCompatibleDC(&screen);
    canvasBitmap.CreateCompatibleBitmap(&screen, 32 * 20, 24 * 20);
    CBitmap* pOldCanvas = canvas.SelectObject(&canvasBitmap);
    HGDIOBJ hOldGlyphs = ::SelectObject(glyphs, hStrip);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetToolkitColor(30);

    const double draw = Median([&] {
        for (int i = 0; i < images; ++i) {
            const POINT at = Place(i);
            const int sx = i * kImageWidth;
            TransparentBitBlt(&canvas, at.x, at.y, kImageWidth, kImageHeight, &glyphs, sx, 0,
                              kImageWidth, kImageHeight, face);
            DrawBitmapShadow(&canvas, at.x + 2, at.y + 2, kImageWidth, kImageHeight, &glyphs, sx, 0,
                             face, shadow);
            TransparentBitBlt(&canvas, at.x, at.y, kImageWidth, kImageHeight, &glyphs, sx, 0,
                              kImageWidth, kImageHeight, face);
            DrawEmbossed(&canvas, at.x, at.y, kImageWidth, kImageHeight, &glyphs, sx, 0);
        }
        ::GdiFlush();
    });
    const double drawPeer = Median([&] {
        for (int i = 0; i < images; ++i) {
            const POINT at = Place(i);
            for (int look = 0; look < 3; ++look)
                ImageList_Draw(list, i, canvas, at.x, at.y, ILD_TRANSPARENT);
        }
        ::GdiFlush();
    });
    Report("draw", images, draw, drawPeer);
    // Both paths really drew: the glyph's black pixel (2, 1) of the last image is the image
    // list's black, and was the store's embossed shadow before it.
    const POINT last = Place(images - 1);
    if (canvas.GetPixel(last.x + 2, last.y + 1) != RGB(0, 0, 0))
        std::printf("  (unexpected: the image list drew no glyph)\n");
    canvas.FillSolidRect(last.x, last.y, 20, 20, face);
    TransparentBitBlt(&canvas, last.x, last.y, kImageWidth, kImageHeight, &glyphs,
                      (images - 1) * kImageWidth, 0, kImageWidth, kImageHeight, face);
    DrawEmbossed(&canvas, last.x, last.y, kImageWidth, kImageHeight, &glyphs,
                 (images - 1) * kImageWidth, 0);
    if (canvas.GetPixel(last.x + 2, last.y + 1) != ::GetSysColor(COLOR_BTNSHADOW))
        std::printf("  (unexpected: the store's images were not embossed)\n");

    ::SelectObject(glyphs, hOldGlyphs);
    canvas.SelectObject(pOldCanvas);
    ImageList_Destroy(list);
    store->Release();
}

} // namespace

int main() {
    InitThemeApi();
    UpdateToolkitColors();
    std::printf("drawing_bench: %d-bit build, medians of %d runs, each figure as a ratio to the "
                "image list's\n",
                int(sizeof(void*) * 8), kRuns);
    const struct {
        int images;
        UINT resource;
    } strips[] = {{16, 3016}, {128, 3128}, {512, 3512}};
    for (const auto& strip : strips)
        Bench(strip.images, strip.resource);
    FreeThemeApi();
    return 0;
}
