#include "windows/source/src_requests.h"

#include <string>

#include "shell/hostlink.h"
#include "windows/source/src_view.h"

namespace {

using T = SourceRequestText;

// code, flags, number slot and value, PC name, text, operation, index, context, wrapped
const SourceRequestRow kRows[] = {
    /* SetBreakpoint            */ {116, 0x8000, -1, 0, false, T::CodeAddress, 1, 0, 2, true},
    /* ClearBreakpoint          */ {101, 0x8400, -1, 0, false, T::CodeAddress, 1, 0, 2, true},
    /* SetStatementBreakpoint   */ {116, 0x8000, -1, 0, false, T::None, 7, 0, 2, true},
    /* ClearStatementBreakpoint */ {101, 0x8400, -1, 0, false, T::None, 7, 0, 2, true},
    /* GoHere                   */ {106, 0x1000, -1, 0, false, T::CodeAddress, 1, 0, 2, true},
    /* RunUntilCaller           */ {106, 0x400, -1, 0, false, T::None, 3, 0, 2, true},
    /* RunUntilReturn           */ {106, 0x2000, -1, 0, false, T::None, 3, 0, 2, true},
    /* SetPcFirst               */ {115, 0x8000, 2, 90, true, T::CodeAddress, 1, 1, 2, true},
    /* SetPcSecond              */ {138, 0x8000, -1, 0, false, T::None, 3, 0, 2, false},
    /* JumpToAssembler          */ {8, 0x200, 0, 5, false, T::CodeAddress, 1, 1, 1, true},
    /* JumpToDefinition         */ {8, 0x200, 0, 4, false, T::Address, 1, 1, 2, true},
    /* CoverageJump             */ {8, 0x200, 0, 13, false, T::CodeAddress, 1, 1, 2, true},
    /* Evaluate                 */ {105, 0x8000, -1, 0, false, T::Selection, 1, 0, 2, true},
    /* EvaluateFromPointer      */ {105, 0x8000, -1, 0, false, T::Pointer, 1, 0, 2, true},
    /* EvaluateAddress          */ {105, 0x8000, -1, 0, false, T::Address, 1, 0, 2, true},
    /* AddToEval                */ {140, 0x80, -1, 0, false, T::Selection, 1, 0, 2, true},
    /* AddToEvalFromPointer     */ {140, 0x80, -1, 0, false, T::Pointer, 1, 0, 2, true},
    /* AddToEvalAddress         */ {140, 0x80, -1, 0, false, T::Address, 1, 0, 2, true},
};
static_assert(sizeof(kRows) / sizeof(kRows[0]) ==
                  static_cast<size_t>(SourceRequest::AddToEvalAddress) + 1,
              "one row a request");

// The statement rows hand the host entry's value over in the text's place.
bool SendsEntryValue(const SourceRequestRow& row) {
    return row.operation == 7;
}

} // namespace

const SourceRequestRow& SourceRequestRowOf(SourceRequest request) {
    return kRows[static_cast<int>(request)];
}

SourceRequestArgs LineRequestArgs(const CString& module, int line, int column, int context,
                                  int core) {
    SourceRequestArgs args;
    args.core = core;
    FormatCodeAddress(args.codeAddress, module, line, column, context);
    return args;
}

HostRequest MakeSourceRequestRecord(const SourceRequestRow& row, const SourceRequestArgs& args) {
    HostRequest record{};
    record.code = row.code;
    record.flags = row.flags;
    if (row.numberSlot >= 0)
        record.param[row.numberSlot] = row.number;
    if (row.pcNameInSlot0)
        record.SetText(0, args.pcName);
    return record;
}

CString SourceRequestTextOf(const SourceRequestRow& row, const SourceRequestArgs& args) {
    CString text;
    switch (row.text) {
    case T::None:
        break;
    case T::CodeAddress:
        text = args.codeAddress;
        break;
    case T::Selection:
        text = args.selection;
        break;
    case T::Pointer:
        text.Format(L"*%s", args.selection.GetString());
        break;
    case T::Address:
        text.Format(L"&%s", args.selection.GetString());
        break;
    }
    return text;
}

int SendRequestRow(const SourceRequestRow& row, const SourceRequestArgs& args) {
    HostCommandTable* host = HostTable();
    if (!host)
        return 0;
    HostRequest record = MakeSourceRequestRecord(row, args);
    HostRequest* chain = &record;
    if (row.wrapped)
        chain = WrapRequestInCoreSwitch(args.core, &record, host->GetActiveCore());
    CString text = SourceRequestTextOf(row, args);
    const wchar_t* wide = row.text == T::None ? nullptr : text.GetString();
    intptr_t a = SendsEntryValue(row) ? static_cast<intptr_t>(args.entryValue) : 0;
    return SendHostRequest(chain, wide, row.index, row.operation, a, 0, row.context);
}

int SendSourceRequest(SourceRequest request, const SourceRequestArgs& args) {
    return SendRequestRow(SourceRequestRowOf(request), args);
}

int SendSetPc(const SourceRequestArgs& args) {
    return SendSetPcRows(SourceRequestRowOf(SourceRequest::SetPcFirst),
                         SourceRequestRowOf(SourceRequest::SetPcSecond), args);
}

int SendSetPcRows(const SourceRequestRow& firstRow, const SourceRequestRow& secondRow,
                  const SourceRequestArgs& args) {
    HostCommandTable* host = HostTable();
    if (!host)
        return 0;
    // The host's answer may live in a buffer that the next call reuses: keep a copy for the send.
    std::string pcName;
    bool named = false;
    {
        HostCoreScope onViewCore(args.core);
        if (const char* name = host->GetPCRegisterName()) {
            pcName = name;
            named = true;
        }
    }
    SourceRequestArgs first = args;
    first.pcName = named ? pcName.c_str() : nullptr;
    int result = SendRequestRow(firstRow, first);
    SendRequestRow(secondRow, args);
    return result;
}
