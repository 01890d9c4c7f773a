#include "editor/lang_strategy.h"

int32_t SECEditLangReader::Release() {
    const int32_t count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

int32_t SECEditLangWriter::Release() {
    const int32_t count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}
