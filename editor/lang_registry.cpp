#include "editor/lang_registry.h"

SECEditLangConfigRegistry::SECEditLangConfigRegistry() {
    m_configs[L"Default"] = new SECEditLangConfig; // reference-counted; released below
}

SECEditLangConfigRegistry::~SECEditLangConfigRegistry() {
    for (auto& c : m_configs)
        c.second->Release();
    for (auto& r : m_readers)
        r.second->Release();
    for (auto& w : m_writers)
        w.second->Release();
}

SECEditLangConfigRegistry& SECEditLangConfigRegistry::Instance() {
    static SECEditLangConfigRegistry registry;
    return registry;
}

BOOL SECEditLangConfigRegistry::RegisterLangConfig(const wchar_t* name, SECEditLangReader* reader,
                                                   SECEditLangWriter* writer) {
    if (!name)
        return FALSE;
    SECEditLangConfigRegistry& r = Instance();
    auto replace = [name](auto& map, auto* item) {
        if (!item)
            return;
        item->AddRef();
        auto it = map.find(name);
        if (it != map.end()) {
            it->second->Release();
            it->second = item;
        } else {
            map[name] = item;
        }
    };
    replace(r.m_readers, reader);
    replace(r.m_writers, writer);
    return TRUE;
}

SECEditLangConfig* SECEditLangConfigRegistry::GetLangConfig(const wchar_t* name) {
    if (!name)
        return nullptr;
    SECEditLangConfigRegistry& r = Instance();
    auto it = r.m_configs.find(name);
    if (it != r.m_configs.end())
        return it->second;
    auto reader = r.m_readers.find(name);
    if (reader == r.m_readers.end())
        return nullptr;
    SECEditLangConfig* config = new SECEditLangConfig; // owned by the map from here on
    config->SetName(name);
    // A missing or partly unreadable file still gives a configuration: the defaults with
    // whatever could be read.
    reader->second->Read(config);
    r.m_configs[name] = config;
    return config;
}

BOOL SECEditLangConfigRegistry::ReloadLangConfig(const wchar_t* name) {
    if (!name)
        return FALSE;
    SECEditLangConfigRegistry& r = Instance();
    auto c = r.m_configs.find(name);
    auto reader = r.m_readers.find(name);
    if (c == r.m_configs.end() || reader == r.m_readers.end())
        return FALSE;
    return reader->second->Read(c->second);
}

BOOL SECEditLangConfigRegistry::SaveLangConfig(const wchar_t* name) {
    SECEditLangConfigRegistry& r = Instance();
    if (name) {
        auto c = r.m_configs.find(name);
        auto w = r.m_writers.find(name);
        if (c == r.m_configs.end() || w == r.m_writers.end())
            return FALSE;
        return w->second->Write(c->second);
    }
    BOOL any = FALSE;
    for (auto& w : r.m_writers) {
        auto c = r.m_configs.find(w.first);
        if (c != r.m_configs.end())
            any = w.second->Write(c->second) || any;
    }
    return any;
}
