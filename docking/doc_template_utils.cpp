// SECDocTemplateUtils: the application's templates narrowed down to the one of a frame.
#include "docking/doc_template.h"

#include "docking/dockable_frame.h"
#include "framework/docview/document.h"
#include "framework/win/winapp.h"

namespace {

// Keeps the entries of list for which keep() holds.
template <class F> void KeepIf(CPtrList& list, F keep) {
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        const POSITION here = pos;
        if (!keep(static_cast<CDocTemplate*>(list.GetNext(pos))))
            list.RemoveAt(here);
    }
}

} // namespace

bool SECDocTemplateUtils::NameMatches(CDocTemplate* pTemplate, LPCTSTR lpszName) const {
    CString strName;
    const auto index =
        m_mode == byFileTypeName ? CDocTemplate::regFileTypeName : CDocTemplate::regFileTypeId;
    return pTemplate->GetDocString(strName, index) && lpszName != NULL && strName == lpszName;
}

int SECDocTemplateUtils::GetTemplateIndexByName(CDocTemplate* pTemplate, LPCTSTR lpszName) {
    CDocManager* pManager = AfxGetDocManager();
    if (pManager == NULL || pTemplate == NULL)
        return -1;
    int nCount = 0;
    POSITION pos = pManager->GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pNext = pManager->GetNextDocTemplate(pos);
        if (NameMatches(pNext, lpszName))
            ++nCount;
        if (pNext == pTemplate)
            return nCount - 1;
    }
    return -1;
}

CDocTemplate* SECDocTemplateUtils::GetTemplateByIndex(LPCTSTR lpszName, int nIndex) {
    CDocManager* pManager = AfxGetDocManager();
    if (pManager == NULL || nIndex < 0)
        return NULL;
    POSITION pos = pManager->GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = pManager->GetNextDocTemplate(pos);
        if (NameMatches(pTemplate, lpszName) && nIndex-- == 0)
            return pTemplate;
    }
    return NULL;
}

CDocTemplate* SECDocTemplateUtils::FindTemplate(CDocument* pDoc, CFrameWnd* pFrame, BOOL bDocked) {
    CPtrList list;
    CDocTemplate* pTemplate = NULL;
    CollectTemplates(list);
    if (GetSingleTemplate(list, pTemplate))
        return pTemplate;
    if (pFrame != NULL) {
        FilterByFrameClass(list, pFrame, bDocked);
        if (GetSingleTemplate(list, pTemplate))
            return pTemplate;
        FilterByResourceID(list, pFrame);
        if (GetSingleTemplate(list, pTemplate))
            return pTemplate;
    }
    if (pDoc != NULL) {
        FilterByDocClass(list, pDoc);
        if (GetSingleTemplate(list, pTemplate))
            return pTemplate;
        if (pDoc->GetDocTemplate() != NULL && list.Find(pDoc->GetDocTemplate()) != NULL)
            return pDoc->GetDocTemplate();
    }
    return NULL;
}

UINT SECDocTemplateUtils::GetFrameResourceID(CFrameWnd* pFrame) {
    return pFrame != NULL ? pFrame->m_nIDHelp : 0;
}

BOOL SECDocTemplateUtils::CollectTemplates(CPtrList& list) {
    CDocManager* pManager = AfxGetDocManager();
    if (pManager == NULL)
        return FALSE;
    POSITION pos = pManager->GetFirstDocTemplatePosition();
    while (pos != NULL)
        list.AddTail(pManager->GetNextDocTemplate(pos));
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByFrameClass(CPtrList& list, CFrameWnd* pFrame, BOOL bDocked) {
    if (pFrame == NULL)
        return FALSE;
    CRuntimeClass* pClass = pFrame->GetRuntimeClass();
    KeepIf(list,
           [&](CDocTemplate* pTemplate) { return GetFrameClass(pTemplate, bDocked) == pClass; });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByResourceID(CPtrList& list, CFrameWnd* pFrame) {
    const UINT nID = GetFrameResourceID(pFrame);
    KeepIf(list, [&](CDocTemplate* pTemplate) {
        // A docked frame is loaded from the template's docked resource.
        auto* pDocking = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
        return pTemplate->GetResourceID() == nID || (pDocking != NULL && IsDockableFrame(pFrame) &&
                                                     pDocking->GetDockedResourceID() == nID);
    });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByDocClass(CPtrList& list, CDocument* pDoc) {
    if (pDoc == NULL)
        return FALSE;
    CRuntimeClass* pClass = pDoc->GetRuntimeClass();
    KeepIf(list, [&](CDocTemplate* pTemplate) { return pTemplate->m_pDocClass == pClass; });
    return TRUE;
}

BOOL SECDocTemplateUtils::GetSingleTemplate(CPtrList& list, CDocTemplate*& pTemplate) {
    pTemplate = NULL;
    if (list.GetCount() > 1)
        return FALSE;
    if (list.GetCount() == 1)
        pTemplate = static_cast<CDocTemplate*>(list.GetHead());
    return TRUE;
}

BOOL SECDocTemplateUtils::IsDockableFrame(CFrameWnd* pFrame) {
    return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame));
}

CRuntimeClass* SECDocTemplateUtils::GetFrameClass(CDocTemplate* pTemplate, BOOL bDocked) {
    if (pTemplate == NULL)
        return NULL;
    if (bDocked) {
        auto* pDocking = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
        return pDocking != NULL ? pDocking->m_pDockingFrameClass : NULL;
    }
    return pTemplate->m_pFrameClass;
}
