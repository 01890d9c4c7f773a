#include "layout_dump.h"

#include <cmath>
#include <sstream>

std::map<UINT, BarPlace> CaptureLayout(CFrameWnd* pFrame) {
    std::map<UINT, BarPlace> layout;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar);
        if (pSEC == nullptr || pBar->IsDockBar() || pBar->m_hWnd == NULL)
            continue;
        BarPlace place;
        place.visible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        place.share = pSEC->m_fFloatProportion;
        pBar->GetWindowRect(&place.rect);
        if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar->m_pDockBar)) {
            place.dockBar = (UINT)pDockBar->GetDlgCtrlID();
            place.host = !pDockBar->m_bFloating ? 0 : (pDockBar->m_bHostedInMainWindow ? 2 : 1);
            int nThickness = 0;
            pDockBar->GetBarRowPosition(pBar, place.row, place.col, nThickness);
            if (place.host != 0) {
                CWnd* pHost = pDockBar->GetParent();
                place.frameVisible = pHost->IsWindowVisible() != FALSE;
                pHost->GetWindowRect(&place.frameRect);
            }
        }
        layout[(UINT)pBar->GetDlgCtrlID()] = place;
    }
    return layout;
}

std::string FormatLayout(const std::map<UINT, BarPlace>& layout) {
    std::ostringstream out;
    for (const auto& [id, p] : layout)
        out << id << ' ' << p.visible << ' ' << p.dockBar << ' ' << p.host << ' ' << p.row << ' '
            << p.col << ' ' << p.share << ' ' << p.rect.left << ' ' << p.rect.top << ' '
            << p.rect.right << ' ' << p.rect.bottom << ' ' << p.frameVisible << ' '
            << p.frameRect.left << ' ' << p.frameRect.top << ' ' << p.frameRect.right << ' '
            << p.frameRect.bottom << '\n';
    return out.str();
}

std::map<UINT, BarPlace> ParseLayout(const std::string& text) {
    std::map<UINT, BarPlace> layout;
    std::istringstream in(text);
    UINT id = 0;
    BarPlace p;
    while (in >> id >> p.visible >> p.dockBar >> p.host >> p.row >> p.col >> p.share >>
           p.rect.left >> p.rect.top >> p.rect.right >> p.rect.bottom >> p.frameVisible >>
           p.frameRect.left >> p.frameRect.top >> p.frameRect.right >> p.frameRect.bottom)
        layout[id] = p;
    return layout;
}

std::string CompareLayouts(const std::map<UINT, BarPlace>& a, const std::map<UINT, BarPlace>& b) {
    std::ostringstream out;
    for (const auto& [id, p] : a) {
        auto it = b.find(id);
        if (it == b.end()) {
            out << "bar " << id << " missing\n";
            continue;
        }
        const BarPlace& q = it->second;
        if (p.visible != q.visible || p.dockBar != q.dockBar || p.host != q.host ||
            p.row != q.row || p.col != q.col || std::fabs(p.share - q.share) > 1e-5 ||
            (p.visible && p.rect != q.rect) || p.frameVisible != q.frameVisible ||
            (p.host != 0 && p.frameRect != q.frameRect))
            out << "bar " << id << ":\n  " << FormatLayout({{id, p}}) << "  "
                << FormatLayout({{id, q}});
    }
    for (const auto& [id, q] : b)
        if (a.count(id) == 0)
            out << "bar " << id << " extra\n";
    return out.str();
}
