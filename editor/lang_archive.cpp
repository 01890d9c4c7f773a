#include "editor/lang_archive.h"

#include "editor/lang_config.h"
#include "framework/core/archive.h"
#include "framework/core/exceptions.h"
#include "framework/core/file.h"

namespace {

// Loads into a scratch configuration first, so that a damaged archive leaves the target as
// it was.
BOOL LoadInto(SECEditLangConfig* config, CFile& file, BOOL resetFirst) {
    SECEditLangConfig* scratch = new SECEditLangConfig; // reference-counted
    BOOL ok = FALSE;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        scratch->Serialize(ar);
        ar.Close();
        if (resetFirst)
            config->SetDefaults();
        CMemFile copy;
        CArchive out(&copy, CArchive::store);
        scratch->Serialize(out);
        out.Close();
        copy.SeekToBegin();
        CArchive in(&copy, CArchive::load);
        config->Serialize(in);
        in.Close();
        ok = TRUE;
    } catch (CException* e) {
        e->Delete();
    }
    scratch->Release();
    return ok;
}

} // namespace

BOOL SECEditLangArchiveReader::Read(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    try {
        CFile file(m_path, CFile::modeRead | CFile::shareDenyWrite);
        return LoadInto(config, file, m_resetFirst);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL SECEditLangArchiveWriter::Write(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    try {
        CFile file(m_path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 4096);
        config->Serialize(ar);
        ar.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL SECEditLangResourceReader::Read(SECEditLangConfig* config) {
    return LoadLangConfigResource(config);
}

BOOL SECEditLangResourceReader::LoadLangConfigResource(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    HMODULE module = m_module ? m_module : GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, m_name, L"SECEditLangConfig");
    if (!found)
        return FALSE;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return FALSE;
    try {
        CMemFile file(static_cast<BYTE*>(const_cast<void*>(bytes)), size);
        return LoadInto(config, file, m_resetFirst);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}
