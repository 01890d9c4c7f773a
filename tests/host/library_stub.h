// This program stands in for the library: it exports the window entries the host looks up
// (CreateSourceWindow, UpdateSourceWindow, SetColumnDatas, ActivateSourceWindow,
// CloseMDIWindow) and records what reaches them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ifac/h/asmlines.h"
#include "ifac/h/srclines.h"

struct LibraryStub {
    // One line a call: "Create(module, file, flags, pos, core)", "Update(id, ...)",
    // "Columns(id, flags)", "Activate(id)", "Close(id, byId)".
    std::vector<std::string> seen;
    int nextId = 1;
    int refuseCreate = 0; // CreateSourceWindow answers -1 while this is set
    // The source view's marks of the last SetColumnDatas; the assembler chain each active core's
    // view holds (as the library keys its assembler views), and the line each selects.
    const SourceLineRecord* marks = nullptr;
    const CoverageRecord* coverage = nullptr; // the coverage column's records

    std::map<int, const AsmLineRecord*> chains;
    std::map<int, int> selected;
    // Runs inside SetColumnDatas, after the call is recorded.
    std::function<void(int id, int flags)> onColumns;
};
LibraryStub& Stub();
// Binds the host to this program's exports with a fresh record.
void BindLibraryStub();
