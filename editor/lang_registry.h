// The process-wide table of language configurations by name, each created and read on first
// use through the reader registered under its name.
#pragma once

#include "editor/lang_config.h"
#include "editor/lang_strategy.h"

#include <map>
#include <string>

class SECEditLangConfigRegistry {
public:
    SECEditLangConfigRegistry();
    ~SECEditLangConfigRegistry();
    SECEditLangConfigRegistry(const SECEditLangConfigRegistry&) = delete;
    SECEditLangConfigRegistry& operator=(const SECEditLangConfigRegistry&) = delete;

    // The registry takes a reference on the reader and the writer; the caller keeps its own.
    static BOOL RegisterLangConfig(const wchar_t* name, SECEditLangReader* reader,
                                   SECEditLangWriter* writer);
    static SECEditLangConfig* GetLangConfig(const wchar_t* name);
    static BOOL ReloadLangConfig(const wchar_t* name);
    static BOOL SaveLangConfig(const wchar_t* name);

    static SECEditLangConfigRegistry& Instance();

private:
    std::map<std::wstring, SECEditLangConfig*> m_configs;
    std::map<std::wstring, SECEditLangReader*> m_readers;
    std::map<std::wstring, SECEditLangWriter*> m_writers;
};
