#include "listtree/tree_ctrl.h"

#include "toolbars/drawing/themeapi.h"

#include <map>
#include <memory>

namespace {
// Registered while the library loads, before any tree exists.
const UINT g_nEndLabelEditMessage =
    ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");
} // namespace

UINT SECTreeEndLabelEditMessage() {
    return g_nEndLabelEditMessage;
}

CFont* SECTreeBoldFont(CFont* pBase) {
    static std::map<HFONT, std::unique_ptr<CFont>> bold;
    HFONT hBase = pBase != NULL ? (HFONT)pBase->GetSafeHandle() : NULL;
    if (hBase == NULL)
        hBase = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    auto it = bold.find(hBase);
    if (it != bold.end())
        return it->second.get();
    LOGFONTW lf = {};
    if (::GetObjectW(hBase, sizeof(lf), &lf) == 0)
        return pBase;
    lf.lfWeight = FW_BOLD;
    std::unique_ptr<CFont> pBold(new CFont);
    if (!pBold->CreateFontIndirect(&lf))
        return pBase;
    CFont* pResult = pBold.get();
    bold.emplace(hBase, std::move(pBold));
    return pResult;
}

SECTreePaintContext::~SECTreePaintContext() {
    if (hButtonTheme != NULL)
        DynCloseThemeData(hButtonTheme);
}

HBRUSH SECTreeDotBrush() {
    static HBRUSH hBrush = [] {
        // Rows alternate 01010101 and 10101010: a bit 0 takes the text colour.
        const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, rows);
        HBRUSH h = ::CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
        return h;
    }();
    return hBrush;
}

HPEN SECTreeButtonPen(bool bSign) {
    // Made on first use, kept for the process; remade when the system colours change.
    static COLORREF rgbBox = CLR_INVALID, rgbSign = CLR_INVALID;
    static HPEN hBox = NULL, hSign = NULL;
    const COLORREF rgb = ::GetSysColor(bSign ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
    HPEN& hPen = bSign ? hSign : hBox;
    COLORREF& rgbPen = bSign ? rgbSign : rgbBox;
    if (hPen == NULL || rgbPen != rgb) {
        HPEN hNew = ::CreatePen(PS_SOLID, 1, rgb);
        if (hNew == NULL)
            return (HPEN)::GetStockObject(BLACK_PEN);
        // The old pen may still be selected into a DC of this paint: it is left to the process.
        hPen = hNew;
        rgbPen = rgb;
    }
    return hPen;
}

IMPLEMENT_DYNCREATE(SECTreeCtrl, SECListCtrl)

SECTreeCtrl::SECTreeCtrl() = default;
SECTreeCtrl::~SECTreeCtrl() = default;

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECListCtrl)
ON_WM_DESTROY()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_CHAR()
END_MESSAGE_MAP()
