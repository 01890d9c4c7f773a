// The host's updates of an evaluation tree. The host's item and insert records are the
// platform's 8-bit tree records; their texts are converted on the way in and out, and an item
// handle the tree does not know is refused before the tree sees it.
#include <algorithm>
#include <cstring>
#include <memory>

#include "windows/eval/eval_ctrl.h"

namespace {
enum UpdateKind {
    kPrevSibling = 1,
    kChange = 2,
    kInsert = 4,
    kExpand = 8,
    kCollapse = 16,
    kCaret = 32,
    kFill = 64,
    kDelete = 128,
    kSelect = 256,
    kRelayout = 512,
};
// The longest text read back into a host buffer.
constexpr int kMaxFillText = 4096;

static_assert(sizeof(TVITEMA) == sizeof(TVITEMW), "the 8-bit and wide records match");
static_assert(sizeof(TVINSERTSTRUCTA) == sizeof(TVINSERTSTRUCTW), "insert records match");

// A wide copy of the host's item record; its text lives as long as the copy.
struct WideItem {
    TVITEMW item{};
    CString text;

    explicit WideItem(const TVITEMA& from) {
        std::memcpy(&item, &from, sizeof item);
        if ((item.mask & TVIF_TEXT) && from.pszText != LPSTR_TEXTCALLBACKA) {
            text = FromHost(from.pszText);
            item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
        } else if (item.mask & TVIF_TEXT) {
            item.pszText = LPSTR_TEXTCALLBACKW;
        }
    }
};

HTREEITEM AsItem(intptr_t b) {
    return reinterpret_cast<HTREEITEM>(b);
}
} // namespace

intptr_t CEvalCtrl::Update(int nKind, intptr_t a, intptr_t b) {
    const HTREEITEM hItem = AsItem(b);
    const bool bKnown = hItem != NULL && ItemFromHandle(hItem) != nullptr;
    switch (nKind) {
    case kPrevSibling:
        if (hItem != NULL && hItem != TVI_ROOT && !bKnown)
            return 0;
        return reinterpret_cast<intptr_t>(GetPrevSiblingItem(hItem));
    case kChange: {
        auto* pHost = reinterpret_cast<const TVITEMA*>(a);
        if (pHost == nullptr || pHost->hItem == NULL || ItemFromHandle(pHost->hItem) == nullptr)
            return 0;
        if ((pHost->mask & TVIF_PARAM) &&
            static_cast<DWORD_PTR>(pHost->lParam) != GetItemData(pHost->hItem))
            EndEditForHost(pHost->hItem, false);
        WideItem wide(*pHost);
        return SetItem(&wide.item);
    }
    case kInsert: {
        auto* pHost = reinterpret_cast<const TVINSERTSTRUCTA*>(a);
        if (pHost == nullptr)
            return 0;
        TVINSERTSTRUCTW insert{};
        insert.hParent = pHost->hParent;
        insert.hInsertAfter = pHost->hInsertAfter;
        WideItem wide(pHost->item);
        insert.item = wide.item;
        return reinterpret_cast<intptr_t>(InsertItem(&insert));
    }
    case kExpand:
        return bKnown ? Expand(hItem, TVE_EXPAND, TRUE, FALSE) : 0;
    case kCollapse:
        return bKnown ? Expand(hItem, TVE_COLLAPSE, TRUE, FALSE) : 0;
    case kCaret:
        return reinterpret_cast<intptr_t>(GetSelectedItem());
    case kFill: {
        auto* pHost = reinterpret_cast<TVITEMA*>(a);
        if (pHost == nullptr || pHost->hItem == NULL || ItemFromHandle(pHost->hItem) == nullptr)
            return 0;
        TVITEMW item{};
        std::memcpy(&item, pHost, sizeof item);
        const bool bText = (item.mask & TVIF_TEXT) && pHost->pszText != nullptr &&
                           pHost->pszText != LPSTR_TEXTCALLBACKA && pHost->cchTextMax > 0;
        std::unique_ptr<wchar_t[]> buffer;
        if (bText) {
            item.cchTextMax = std::min(pHost->cchTextMax, kMaxFillText);
            buffer.reset(new wchar_t[item.cchTextMax]());
            item.pszText = buffer.get();
        } else {
            item.mask &= ~TVIF_TEXT;
        }
        const BOOL bResult = GetItem(&item, TRUE, FALSE);
        char* hostText = pHost->pszText;
        const int cchHost = pHost->cchTextMax;
        const UINT mask = pHost->mask;
        std::memcpy(pHost, &item, sizeof item);
        pHost->mask = mask;
        pHost->pszText = hostText;
        pHost->cchTextMax = cchHost;
        if (bText) {
            const wchar_t* source =
                item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW ? item.pszText : L"";
            if (::WideCharToMultiByte(CP_ACP, 0, source, -1, hostText, cchHost, nullptr, nullptr) ==
                0)
                hostText[cchHost - 1] = 0; // too long: cut within the host's buffer
        }
        return bResult;
    }
    case kDelete:
        if (!bKnown)
            return 0;
        EndEditForHost(hItem, true);
        return DeleteItem(hItem);
    case kSelect:
        return bKnown ? Select(hItem, TVGN_CARET) : 0;
    case kRelayout:
        RecalcLayout();
        Invalidate(TRUE);
        return 1;
    default:
        return 0;
    }
}
