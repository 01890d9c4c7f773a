// The search that every editor window shares: what was searched for and how, the dialog that
// is open and the viewport whose controller opened it. One per process, made on first use.
#pragma once

#include "framework/core/cstring.h"

#include <memory>
#include <vector>

class CDialog;
class SECEditBoundedRegExp;
class SECEditViewport;
class SECEditController;
class SECEditSearchInterrupt;

class SECEditFindReplaceState {
public:
    SECEditFindReplaceState();
    ~SECEditFindReplaceState();
    SECEditFindReplaceState(const SECEditFindReplaceState&) = delete;
    SECEditFindReplaceState& operator=(const SECEditFindReplaceState&) = delete;

    // Forgets a controller that is going: the dialog it opened no longer has an owner.
    void ForgetController(SECEditController* controller);

    CDialog* m_pDialog = nullptr; // the open find or replace dialog, or null
    BOOL m_bFindDialog = TRUE;    // the last dialog was the find form
    CString m_strFind;
    CString m_strReplace;
    std::vector<CString> m_findHistory; // most recent first
    std::vector<CString> m_replaceHistory;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bSearchDown = TRUE;
    BOOL m_bWholeWord = FALSE;
    BOOL m_bReplaceInSelection = FALSE;
    BOOL m_bRegExp = FALSE;
    // The one engine every regular-expression search runs on: its compiled pattern is reused
    // while the pattern stays.
    std::unique_ptr<SECEditBoundedRegExp> m_pRegExp;
    // The viewport whose text is searched: its selection stays marked while the dialog has
    // the focus.
    SECEditViewport* m_pViewport = nullptr;
    SECEditController* m_pController = nullptr;
    // The stop request of the search action that runs now (Escape pressed), or null.
    SECEditSearchInterrupt* m_pInterrupt = nullptr;
};

// The process's one state.
SECEditFindReplaceState& SECEditGetFindReplaceState();
// The state when it exists already; never makes one.
SECEditFindReplaceState* SECEditPeekFindReplaceState();
