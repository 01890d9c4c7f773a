// Reference-counted strategies that fill a language configuration from storage or write it.
#pragma once

#include "framework/core/cstring.h"

#include <cstdint>

class SECEditLangConfig;

class SECEditLangReader {
public:
    virtual BOOL Read(SECEditLangConfig* config) = 0;
    int32_t AddRef() { return ++m_refCount; }
    int32_t Release();

protected:
    virtual ~SECEditLangReader() = default;

private:
    int32_t m_refCount = 1;
};

class SECEditLangWriter {
public:
    virtual BOOL Write(SECEditLangConfig* config) = 0;
    int32_t AddRef() { return ++m_refCount; }
    int32_t Release();

protected:
    virtual ~SECEditLangWriter() = default;

private:
    int32_t m_refCount = 1;
};
