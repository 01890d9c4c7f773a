// The toolkit colour table, derived in index order: entries 21 and 30 read the new 19 and 5.
#include "toolbars/drawing/toolkitcolors.h"

#include "toolbars/drawing/colors.h"

namespace {

COLORREF g_colors[kToolkitColorCount];
ToolkitBaseColors g_base;
BOOL g_bFlatLook = FALSE;

} // namespace

void UpdateToolkitColors() {
    UpdateToolkitColors({::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT),
                         ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW),
                         ::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_HIGHLIGHT),
                         ::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_WINDOWFRAME)});
}

void UpdateToolkitColors(const ToolkitBaseColors& base) {
    g_base = base;
    const COLORREF W = base.window, WT = base.windowText, F = base.face, S = base.shadow;
    const COLORREF BT = base.buttonText, H = base.highlight, G = base.grayText;
    const COLORREF FR = base.windowFrame;
    auto B = BlendColors;
    auto E = EnsureContrast;
    const COLORREF M = B(W, F, 165), K = B(F, W, 143), P = B(S, W, 70), L = B(H, W, 30);
    const COLORREF N = B(H, W, 50), Q = B(G, W, 70);

    COLORREF* c = g_colors;
    c[0] = M;
    c[1] = E(P, M, 50);
    c[2] = E(BT, M, 180);
    c[3] = M;
    c[4] = M;
    c[5] = E(L, M, 50);
    c[6] = E(H, M, 100);
    c[7] = N;
    c[8] = H;
    c[9] = M;
    c[10] = M;
    c[11] = E(B(H, B(F, W, 48), 7), M, 5);
    c[12] = H;
    c[13] = E(N, M, 30);
    c[14] = E(H, c[13], 100);
    c[15] = K;
    c[16] = E(WT, K, 180);
    c[17] = K;
    c[18] = E(Q, K, 80);
    c[19] = E(L, M, 50);
    c[20] = E(H, M, 100);
    c[21] = E(FR, c[19], 180);
    c[22] = K;
    c[23] = Q;
    c[24] = E(H, M, 100);
    c[25] = M;
    c[26] = E(B(BT, S, 20), M, 100);
    c[27] = E(P, M, 50);
    c[28] = F;
    c[29] = E(BT, M, 180);
    c[30] = B(RGB(0, 0, 0), c[5], 25);
    c[31] = B(S, W, 90);
    c[32] = E(B(S, W, 75), M, 85);
}

COLORREF GetToolkitColor(int nIndex) {
    return nIndex >= 0 && nIndex < kToolkitColorCount ? g_colors[nIndex] : RGB(255, 255, 255);
}

const ToolkitBaseColors& GetToolkitBaseColors() {
    return g_base;
}

BOOL IsFlatLook() {
    return g_bFlatLook;
}

void SetFlatLook(BOOL bFlat) {
    g_bFlatLook = bFlat;
}
