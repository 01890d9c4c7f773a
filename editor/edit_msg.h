// The editor's notification messages.
#pragma once

#include "editor/edit_command.h"
#include "editor/mvc_interfaces.h"

class SECEditMsg : public corvalis::foundation::CRefCountImpl<corvalis::foundation::IMessage> {
public:
    explicit SECEditMsg(uint32_t hint) : m_hint(hint) {}

    bool QueryGuid(const GUID& guid, void** out) override;
    uint32_t GetTypeID() const override { return m_hint; }
    // The description is the string resource whose id is the hint code.
    void Sprint(CString& out) override;

    uint32_t m_hint;
};

// "Invalidate Lines %d to %d": the first and the last line to repaint (last -1: to the end).
class SECEditLineMsg : public SECEditMsg {
public:
    SECEditLineMsg(int firstLine, int lastLine)
        : SECEditMsg(SECEDIT_HINT_LINES), m_firstLine(firstLine), m_lastLine(lastLine) {}

    int m_firstLine;
    int m_lastLine;
};
