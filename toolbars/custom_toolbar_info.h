// SECCustomToolBarInfoEx: a custom toolbar's saved title and buttons inside the dock state, in
// profile, archive and settings-tree forms. The buttons are stored as "Buttons": records back to
// back, each a 32-bit little-endian command id (0 a separator), a data length n (8-bit) and n
// bytes.
#pragma once

#include "docking/control_bar_info.h"
#include "framework/afx.h"

#include <cstdint>
#include <vector>

// One saved button.
struct SECBtnInfo {
    UINT m_nID = 0; // 0: a separator
    std::vector<BYTE> m_data;
};
using SECBtnInfoArray = std::vector<SECBtnInfo>;

// The "Buttons" bytes of a button list.
std::vector<BYTE> SECEncodeButtons(const SECBtnInfoArray& buttons);
// The whole records of bytes; a record cut short, or whose data runs past the end, ends the
// list (nothing past the value is read). FALSE when something was cut.
BOOL SECDecodeButtons(const BYTE* pData, size_t nSize, SECBtnInfoArray& buttons);

class SECCustomToolBarInfoEx : public SECControlBarInfoEx {
    DECLARE_DYNAMIC(SECCustomToolBarInfoEx)
public:
    ~SECCustomToolBarInfoEx() override = default;
    using SECControlBarInfoEx::Serialize;
    void Serialize(CArchive& ar, SECControlBarManager* pManager) override;
    BOOL LoadFromTreeNode(SECPersistentTreeNode* pNode, SECControlBarManager* pManager) override;
    BOOL LoadFromProfile(LPCTSTR lpszSection, SECControlBarManager* pManager) override;
    BOOL SaveToTreeNode(SECPersistentTreeNode* pNode, SECControlBarManager* pManager) override;
    BOOL SaveToProfile(LPCTSTR lpszSection, SECControlBarManager* pManager) override;

    CString m_strTitle;
    SECBtnInfoArray m_btnInfo;
};
