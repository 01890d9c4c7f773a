#include "editor/edit_msg.h"

bool SECEditMsg::QueryGuid(const GUID& guid, void** out) {
    using namespace corvalis::foundation;
    if (SameGuid(guid, IID_IMessage)) {
        *out = static_cast<IMessage*>(this);
        return true;
    }
    *out = nullptr;
    return false;
}

void SECEditMsg::Sprint(CString& out) {
    if (!out.LoadString(m_hint))
        out.Empty();
}
