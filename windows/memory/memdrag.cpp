// The memory window as a drag source: the record of keyed properties that describes what is
// dragged out of the grid.
#include <string>

#include "shell/hostlink.h"
#include "windows/memory/mempopup.h"
#include "windows/memory/memstate.h"

namespace {

const char* RadixName(int radix) {
    switch (radix) {
    case 2:
        return "BINARY";
    case 8:
        return "OCT";
    case 10:
        return "DEC";
    case 16:
        return "HEX";
    }
    return "ASCII";
}

struct TypeAndSize {
    int format;
    const char* type;
    const char* size;
};
const TypeAndSize kTypes[] = {
    {MemFormat::byte, "unsigned char", "1"},
    {MemFormat::word, "unsigned short", "2"},
    {MemFormat::longWord, "long", "4"},
    {MemFormat::longLong, "long long", "8"},
    {MemFormat::single, "float", "4"},
    {MemFormat::doubleFloat, "double", "8"},
    {MemFormat::longDoubleOld, "long double", "10"},
    {MemFormat::longDouble, "long double", "10"},
    {MemFormat::near16, "unsigned char near16 *", "2"},
    {MemFormat::near32, "unsigned char near32 *", "4"},
    {MemFormat::far16, "unsigned char far16 *", "4"},
    {MemFormat::far32, "unsigned char far32 *", "6"},
};

TypeAndSize TypeOf(int format) {
    for (const TypeAndSize& t : kTypes)
        if (t.format == format)
            return t;
    return {format, "unsigned char", "1"};
}

} // namespace

int MemoryDragSource(MemWndState* s, int row, int cell, int last) {
    IDragDrop* service = DragDropService();
    const HostCommandTable* host = HostTable();
    if (service == nullptr || host == nullptr || !IsLiveMemState(s) || s->descriptor == nullptr)
        return 0;
    const MemCell* source = MemCellAt(s, row, cell < 0 ? 0 : cell);
    if (source == nullptr)
        return 0;
    const bool address = cell < 0;
    const int kind = address ? kDragRecordMemoryNoItem : kDragRecordItem;
    void* record = nullptr;
    service->BeginRecord(kind, &record);
    host->ClearText();
    host->GetText();
    g_pHostMemTable->SelectAddress(s->object, source->keyLow, source->keyHigh);
    const char* built = host->GetText();
    const std::string addressText = built ? built : "";
    const MemRowDescriptor& d = *s->descriptor;
    TypeAndSize type = TypeOf(d.format);
    std::string radix = RadixName(d.radix);
    if (d.format == MemFormat::byte && !address && cell > (last - 1) / 2) {
        type.size = "15"; // the row's character part
        radix = "ASCII:15";
    }
    int index = 0;
    service->AddString(record, index++, "ADDRESS", addressText.c_str());
    service->AddString(record, index++, "LANGUAGE", "ASM");
    service->AddInteger(record, index++, "ID", row);
    service->AddString(record, index++, "FORMAT", radix.c_str());
    service->AddString(record, index++, "TYPE", type.type);
    service->AddString(record, index++, "SIZE", type.size);
    if (MemFormat::IsPointer(d.format))
        service->AddString(record, index++, "POINTER", "DEFINED");
    int result = 0;
    if (address) {
        service->AddString(record, index++, "NAME", addressText.c_str());
        service->AddString(record, index++, "TEXT", addressText.c_str());
        result =
            service->StartDrag("MemWnd", static_cast<int>(reinterpret_cast<intptr_t>(s->object)),
                               "MemWndAddress", record);
    } else {
        const char* value = g_pHostMemTable->GetCellText(d.view, source->keyLow, source->keyHigh);
        const std::string valueText = value ? value : "";
        service->AddString(record, index++, "VALUE", valueText.c_str());
        service->AddString(record, index++, "NAME", valueText.c_str());
        service->AddString(record, index++, "TEXT", valueText.c_str());
        service->AddInteger(record, index++, "ROW", row);
        service->AddInteger(record, index++, "COL", cell);
        result =
            service->StartDrag("MemWnd", static_cast<int>(reinterpret_cast<intptr_t>(s->object)),
                               "MemWndValue", record);
    }
    service->EndRecord(kind, record);
    return result;
}
