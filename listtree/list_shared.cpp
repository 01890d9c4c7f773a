#include "listtree/list_shared.h"

SECListSharedColors& SECListShared() {
    static SECListSharedColors colors = {::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENUTEXT),
                                         ::GetSysColor(COLOR_BTNFACE)};
    return colors;
}

void SECListReloadShared() {
    SECListSharedColors& c = SECListShared();
    c.rgbInactiveSelBk = ::GetSysColor(COLOR_MENU);
    c.rgbInactiveSelText = ::GetSysColor(COLOR_MENUTEXT);
    c.rgbFace = ::GetSysColor(COLOR_BTNFACE);
}

CPen* SECListGridPen() {
    static CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    return &pen;
}

CBrush* SECListHeaderBrush() {
    static CBrush brush(::GetSysColor(COLOR_BTNFACE));
    return &brush;
}
