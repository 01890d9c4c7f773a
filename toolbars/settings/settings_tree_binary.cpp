// Binary values of the settings tree: two letters a byte ("A" plus the low half, then "A" plus
// the high half); texts over 250 characters go into numbered chunks with a count beside them.
#include "toolbars/settings/settings_tree.h"

#include "framework/win/profile_text.h"

#include <algorithm>

#include <cwctype>
#include <memory>

namespace {

constexpr int kChunkLength = 250;
const wchar_t kChunkInfix[] = L"_BinVal";
const wchar_t kCountSuffix[] = L"_BinCount";

CString ChunkKey(LPCTSTR lpszKey, int nChunk) {
    CString strKey;
    strKey.Format(L"%s%s%d", lpszKey, kChunkInfix, nChunk);
    return strKey;
}

CString CountKey(LPCTSTR lpszKey) {
    return CString(lpszKey) + kCountSuffix;
}

// The chunk number of a key that is lpszKey's chunk, or -1.
int ChunkNumber(const CString& strCandidate, LPCTSTR lpszKey) {
    CString strPrefix = CString(lpszKey) + kChunkInfix;
    if (strCandidate.GetLength() <= strPrefix.GetLength() ||
        strCandidate.Left(strPrefix.GetLength()).CompareNoCase(strPrefix) != 0)
        return -1;
    CString strDigits = strCandidate.Mid(strPrefix.GetLength());
    if (strDigits.GetLength() > 9)
        return -1;
    int nNumber = 0;
    for (int i = 0; i < strDigits.GetLength(); i++) {
        if (!std::iswdigit(strDigits[i]))
            return -1;
        nNumber = nNumber * 10 + (strDigits[i] - L'0');
    }
    return nNumber;
}

} // namespace

void SECPersistentTreeNode::RemoveChunks(LPCTSTR lpszKey, int nFirstChunk) {
    for (POSITION pos = m_pairs.GetHeadPosition(); pos != NULL;) {
        POSITION at = pos;
        SECPersTreeNodeKeyValuePair* pPair = m_pairs.GetNext(pos);
        if (ChunkNumber(pPair->m_strKey, lpszKey) >= nFirstChunk)
            RemovePairAt(at);
    }
    if (nFirstChunk == 0)
        RemovePairs(CountKey(lpszKey));
}

DWORD SECPersistentTreeNode::SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, UINT nSize,
                                            BOOL bOverwrite) {
    if (!m_bCreated)
        return ptnNotCreated;
    if (lpszKey == NULL || *lpszKey == 0)
        return ptnNoKey;
    if (pData == NULL && nSize != 0)
        return ptnNoData;
    if (!bOverwrite && (FindPair(lpszKey) != NULL || FindPair(CountKey(lpszKey)) != NULL))
        return ptnKeyExists;
    CString strText = AfxEncodeProfileBinary(pData, nSize);
    if (strText.GetLength() <= kChunkLength) {
        // Chunks of an earlier, longer value would otherwise be read back instead.
        RemoveChunks(lpszKey, 0);
        return SetStringValue(lpszKey, strText, TRUE);
    }
    RemovePairs(lpszKey);
    DWORD dwResult = ptnOK;
    int nChunks = 0;
    for (int nStart = 0; nStart < strText.GetLength(); nStart += kChunkLength)
        dwResult |=
            SetStringValue(ChunkKey(lpszKey, nChunks++), strText.Mid(nStart, kChunkLength), TRUE);
    CString strCount;
    strCount.Format(L"%d", nChunks);
    dwResult |= SetStringValue(CountKey(lpszKey), strCount, TRUE);
    RemoveChunks(lpszKey, nChunks);
    return dwResult;
}

DWORD SECPersistentTreeNode::GatherBinaryText(LPCTSTR lpszKey, CString& strText) const {
    strText.Empty();
    SECPersTreeNodeKeyValuePair* pCount = FindPair(CountKey(lpszKey));
    if (pCount == NULL) {
        SECPersTreeNodeKeyValuePair* pPair = FindPair(lpszKey);
        if (pPair == NULL)
            return ptnFailed;
        strText = pPair->m_strValue;
        return ptnOK;
    }
    // The count is believed only as far as chunks exist, so a damaged count cannot make a
    // large block.
    const CString& strCount = pCount->m_strValue;
    if (strCount.IsEmpty() || strCount.GetLength() > 9)
        return ptnFailed;
    long lCount = 0;
    for (int i = 0; i < strCount.GetLength(); i++) {
        if (!std::iswdigit(strCount[i]))
            return ptnFailed;
        lCount = lCount * 10 + (strCount[i] - L'0');
    }
    if (lCount < 1 || lCount > (long)m_pairs.GetCount())
        return ptnFailed;
    for (int nChunk = 0; nChunk < (int)lCount; nChunk++) {
        SECPersTreeNodeKeyValuePair* pChunk = FindPair(ChunkKey(lpszKey, nChunk));
        if (pChunk == NULL) {
            strText.Empty();
            return ptnFailed;
        }
        strText += pChunk->m_strValue;
    }
    return ptnOK;
}

DWORD SECPersistentTreeNode::GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, UINT* pnSize) {
    if (ppData == NULL || pnSize == NULL)
        return ptnNoData;
    *ppData = NULL;
    *pnSize = 0;
    CString strText;
    DWORD dwResult = GatherBinaryText(lpszKey, strText);
    if (dwResult != ptnOK)
        return dwResult;
    std::vector<BYTE> bytes;
    if (!AfxDecodeProfileBinary(strText, bytes))
        return ptnFailed;
    const UINT nSize = (UINT)bytes.size();
    if (nSize == 0)
        return ptnOK;
    std::unique_ptr<BYTE[]> data(new BYTE[nSize]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    *ppData = data.release();
    *pnSize = nSize;
    return ptnOK;
}
