// What the source and assembler frames share on either base (MDI child or docked twin): the
// splitter row they own and the column option word it was built for. A frame that changes form
// hands its splitter (whose window moves) to its successor.
#pragma once

#include <cstdint>
#include <memory>

#include "windows/source/splitter.h"

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
