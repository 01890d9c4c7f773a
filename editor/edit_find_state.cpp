#include "editor/edit_find_state.h"

#include "editor/regexp_bounded.h"
#include "framework/dialogs/dialog.h"

namespace {
std::unique_ptr<SECEditFindReplaceState> g_state;
}

SECEditFindReplaceState::SECEditFindReplaceState() {
    m_findHistory.reserve(10);
    m_replaceHistory.reserve(10);
    m_pRegExp = std::make_unique<SECEditBoundedRegExp>();
}

SECEditFindReplaceState::~SECEditFindReplaceState() = default;

void SECEditFindReplaceState::ForgetController(SECEditController* controller) {
    if (controller == nullptr || m_pController != controller)
        return;
    m_pController = nullptr;
    m_pViewport = nullptr;
    CDialog* dialog = m_pDialog;
    m_pDialog = nullptr;
    if (dialog && ::IsWindow(dialog->GetSafeHwnd()))
        dialog->DestroyWindow();
}

SECEditFindReplaceState& SECEditGetFindReplaceState() {
    if (!g_state)
        g_state = std::make_unique<SECEditFindReplaceState>();
    return *g_state;
}

SECEditFindReplaceState* SECEditPeekFindReplaceState() {
    return g_state.get();
}
