// A custom toolbar's saved title and buttons.
#include "toolbars/custom_toolbar_info.h"

#include "toolbars/settings/settings_tree.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(SECCustomToolBarInfoEx, SECControlBarInfoEx)

namespace {
const wchar_t kTitle[] = L"Title";
const wchar_t kButtons[] = L"Buttons";
const wchar_t kNodeName[] = L"ToolBarInfoEx";
const size_t kRecordHead = 5; // id and data length
} // namespace

std::vector<BYTE> SECEncodeButtons(const SECBtnInfoArray& buttons) {
    std::vector<BYTE> out;
    for (const SECBtnInfo& info : buttons) {
        const size_t n = std::min<size_t>(info.m_data.size(), 255);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<BYTE>(info.m_nID >> shift));
        out.push_back(static_cast<BYTE>(n));
        out.insert(out.end(), info.m_data.begin(), info.m_data.begin() + n);
    }
    return out;
}

BOOL SECDecodeButtons(const BYTE* pData, size_t nSize, SECBtnInfoArray& buttons) {
    buttons.clear();
    size_t pos = 0;
    while (pData != nullptr && nSize - pos >= kRecordHead) {
        SECBtnInfo info;
        info.m_nID = static_cast<UINT>(pData[pos]) | static_cast<UINT>(pData[pos + 1]) << 8 |
                     static_cast<UINT>(pData[pos + 2]) << 16 |
                     static_cast<UINT>(pData[pos + 3]) << 24;
        const size_t n = pData[pos + 4];
        if (nSize - pos - kRecordHead < n)
            return FALSE;
        info.m_data.assign(pData + pos + kRecordHead, pData + pos + kRecordHead + n);
        buttons.push_back(std::move(info));
        pos += kRecordHead + n;
    }
    return pos == nSize;
}

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, SECControlBarManager*) {
    if (ar.IsStoring()) {
        ar << m_strTitle;
        ar.WriteCount(m_btnInfo.size());
        for (const SECBtnInfo& info : m_btnInfo) {
            const BYTE n = static_cast<BYTE>(std::min<size_t>(info.m_data.size(), 255));
            ar << static_cast<DWORD>(info.m_nID) << n;
            if (n > 0)
                ar.Write(info.m_data.data(), n);
        }
        return;
    }
    ar >> m_strTitle;
    m_btnInfo.clear();
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        SECBtnInfo info;
        DWORD dwID = 0;
        BYTE n = 0;
        ar >> dwID >> n;
        info.m_nID = dwID;
        info.m_data.resize(n);
        if (n > 0 && ar.Read(info.m_data.data(), n) != n)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        m_btnInfo.push_back(std::move(info));
    }
}

BOOL SECCustomToolBarInfoEx::SaveToProfile(LPCTSTR lpszSection, SECControlBarManager*) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszSection == nullptr)
        return FALSE;
    // An empty title takes out what an earlier save left.
    BOOL bOK = pApp->WriteProfileString(lpszSection, kTitle,
                                        m_strTitle.IsEmpty() ? nullptr : m_strTitle.GetString());
    std::vector<BYTE> bytes = SECEncodeButtons(m_btnInfo);
    bOK = pApp->WriteProfileBinary(lpszSection, kButtons, bytes.data(),
                                   static_cast<UINT>(bytes.size())) &&
          bOK;
    return bOK;
}

BOOL SECCustomToolBarInfoEx::LoadFromProfile(LPCTSTR lpszSection, SECControlBarManager*) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszSection == nullptr)
        return FALSE;
    m_strTitle = pApp->GetProfileString(lpszSection, kTitle, L"");
    m_btnInfo.clear();
    BYTE* pRaw = nullptr;
    UINT nBytes = 0;
    if (pApp->GetProfileBinary(lpszSection, kButtons, &pRaw, &nBytes)) {
        std::unique_ptr<BYTE[]> owned(pRaw);
        SECDecodeButtons(owned.get(), nBytes, m_btnInfo);
    }
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveToTreeNode(SECPersistentTreeNode* pNode,
                                            SECControlBarManager* pManager) {
    if (!SECControlBarInfoEx::SaveToTreeNode(pNode, pManager) || pNode == nullptr)
        return FALSE;
    SECPersistentTreeNode* pChild = pNode->FindChildNode(kNodeName);
    if (pChild == nullptr)
        pChild = pNode->CreateChildNode(kNodeName, pNode);
    if (pChild == nullptr)
        return FALSE;
    if (m_strTitle.IsEmpty())
        pChild->DeleteValue(kTitle);
    else
        pChild->SetStringValue(kTitle, m_strTitle);
    std::vector<BYTE> bytes = SECEncodeButtons(m_btnInfo);
    return pChild->SetBinaryValue(kButtons, bytes.data(), static_cast<UINT>(bytes.size())) ==
           SECPersistentTreeNode::ptnOK;
}

BOOL SECCustomToolBarInfoEx::LoadFromTreeNode(SECPersistentTreeNode* pNode,
                                              SECControlBarManager* pManager) {
    if (!SECControlBarInfoEx::LoadFromTreeNode(pNode, pManager) || pNode == nullptr)
        return FALSE;
    m_strTitle.Empty();
    m_btnInfo.clear();
    SECPersistentTreeNode* pChild = pNode->FindChildNode(kNodeName);
    if (pChild == nullptr)
        return TRUE;
    pChild->GetStringValue(kTitle, m_strTitle, L"");
    BYTE* pRaw = nullptr;
    UINT nBytes = 0;
    if (pChild->GetBinaryValue(kButtons, &pRaw, &nBytes) == SECPersistentTreeNode::ptnOK) {
        std::unique_ptr<BYTE[]> owned(pRaw);
        SECDecodeButtons(owned.get(), nBytes, m_btnInfo);
    }
    return TRUE;
}
