// What the source and assembler frames share on either base (MDI child or docked twin): the
// splitter row they own and the column option word it was built for. A frame that changes form
// hands its splitter (whose window moves) to its successor.
#pragma once

#include <cstdint>
#include <memory>

#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "framework/afx.h"
#include "windows/source/splitter.h"

// The main frame's column option word, which says what a frame's splitter row holds: for a
// source frame whether the bits are given, the line-number and the coverage column; for an
// assembler frame the coverage column, the disassembly pane and the address pane.
enum : uint32_t {
    kColumnsGiven = 0x1,
    kLineNumberColumn = 0x2,
    kCoverageColumn = 0x4,
    kAsmDisassemblyPane = 0x8,
    kAsmAddressPane = 0x10,
};

template <class Base> class CSplitterFrame : public Base {
public:
    virtual uint32_t GetColumnOptions() const { return m_columnOptions; }
    virtual void SetColumnOptions(uint32_t options) { m_columnOptions = options; }

    CSplitter* Splitter() const { return m_pSplitter.get(); }
    std::unique_ptr<CSplitter> TakeSplitter() { return std::move(m_pSplitter); }
    void AdoptSplitter(std::unique_ptr<CSplitter> pSplitter) { m_pSplitter = std::move(pSplitter); }

protected:
    std::unique_ptr<CSplitter> m_pSplitter;
    uint32_t m_columnOptions = 0;
};
