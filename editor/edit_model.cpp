// The text model: configuration, transactions, edits and the handling of edit messages.
#include "editor/edit_model.h"

#include "editor/lang_registry.h"
#include "framework/win/winapp.h"

#include <algorithm>
#include <cwchar>

using corvalis::foundation::CMvcCommand;
using corvalis::foundation::IMessage;
using corvalis::foundation::ISubject;
using corvalis::foundation::MvcTransactionModel;

SECEditModel::SECEditModel() = default;

SECEditModel::~SECEditModel() {
    m_compound.reset();
    if (m_langConfig) {
        m_langConfig->RemoveObserver(&m_observerPart);
        m_langConfig->Release();
    }
    ClearTransactions();
}

bool SECEditModel::QueryGuid(const GUID& guid, void** out) {
    if (corvalis::foundation::SameGuid(guid, corvalis::foundation::IID_IObserver)) {
        *out = static_cast<corvalis::foundation::IObserver*>(&m_observerPart);
        return true;
    }
    return MvcTransactionModel::QueryGuid(guid, out);
}

bool SECEditModel::ObserverPart::QueryGuid(const GUID& guid, void** out) {
    return m_model->QueryGuid(guid, out);
}

void SECEditModel::ObserverPart::OnUpdate(ISubject*, IMessage* message) {
    m_model->OnMessage(message);
}

void SECEditModel::NotifyHint(uint32_t hint) {
    SECEditMsg msg(hint);
    NotifyObservers(nullptr, &msg);
}

SECEditCommand* SECEditModel::SetCurrentCommand(SECEditCommand* command) {
    SECEditCommand* previous = m_currentCommand;
    m_currentCommand = command;
    return previous;
}

// ---- configuration and display ----

void SECEditModel::SetLangConfig(SECEditLangConfig* config) {
    if (config)
        config->AddRef();
    if (m_langConfig) {
        m_langConfig->RemoveObserver(&m_observerPart);
        m_langConfig->Release();
    }
    m_langConfig = config;
    if (m_langConfig)
        m_langConfig->AddObserver(&m_observerPart);
}

BOOL SECEditModel::SetLangConfigByName(const wchar_t* name) {
    SECEditLangConfig* config = SECEditLangConfigRegistry::GetLangConfig(name);
    if (!config)
        return FALSE;
    SetLangConfig(config);
    SECEditMsg msg(SECEDIT_HINT_RECOLOUR);
    m_observerPart.OnUpdate(this, &msg);
    return TRUE;
}

BOOL SECEditModel::SetLanguageAndReset(const wchar_t* name) {
    const BOOL ok = SetLangConfigByName(name);
    ResetDocument();
    return ok;
}

void SECEditModel::SetDisplayInfo(std::unique_ptr<SECEditDisplayInfo> info) {
    if (info.get() == m_displayInfo.get()) {
        info.release(); // already ours
        return;
    }
    m_displayInfo = std::move(info);
    m_displayFont = DisplayFont(); // the caller's: a new document makes the model's own again
    // Straight to the observers: the model's own handler would build a new display
    // information from the configuration and throw away the one just given.
    NotifyHint(SECEDIT_HINT_FONT);
}

std::unique_ptr<SECEditDisplayInfo> SECEditModel::CreateDisplayInfo() {
    return std::make_unique<SECEditDisplayInfo>();
}

BOOL SECEditModel::CreateDisplayInfoFont() {
    m_displayInfo = CreateDisplayInfo();
    m_displayFont = DisplayFont();
    if (!m_langConfig)
        return FALSE;
    DisplayFont font;
    font.face = m_langConfig->GetFaceName();
    font.size = m_langConfig->GetSize();
    font.bold = m_langConfig->GetBold();
    font.italic = m_langConfig->GetItalic();
    if (!m_displayInfo->MeasureFont(font.face, font.size, font.bold, font.italic))
        return FALSE;
    font.made = true;
    m_displayFont = font;
    return TRUE;
}

bool SECEditModel::DisplayInfoFitsConfig() const {
    return m_displayInfo && m_langConfig && m_displayFont.made &&
           m_displayFont.face == m_langConfig->GetFaceName() &&
           m_displayFont.size == m_langConfig->GetSize() &&
           (m_displayFont.bold != FALSE) == (m_langConfig->GetBold() != FALSE) &&
           (m_displayFont.italic != FALSE) == (m_langConfig->GetItalic() != FALSE);
}

int SECEditModel::CharsetFromOemCodePage(UINT codePage) {
    switch (codePage) {
    case 932:
        return 128;
    case 936:
        return 134;
    case 949:
        return 129;
    case 950:
        return 136;
    case 1361:
        return 130;
    default:
        return 0;
    }
}

std::unique_ptr<SECEditTextStore> SECEditModel::CreateStore() {
    return std::make_unique<SECEditTextStore>();
}

void SECEditModel::ResetDocument() {
    if (!m_langConfig)
        SetLangConfigByName(L"Default");
    m_readOnly = FALSE;
    m_savedTop = 0;
    m_modified = FALSE;
    ClearUndo();
    if (m_lineData.GetSize() > 0)
        RemoveLineEntries(0, m_lineData.GetSize() - 1);
    m_lineData.Clear(1);
    m_store = CreateStore();
    m_store->Reset();
    if (!DisplayInfoFitsConfig())
        CreateDisplayInfoFont();
    ClearColourCache(1);
    m_firstDirtyLine = 0;
    m_spans.RemoveAll();
    NotifyHint(SECEDIT_HINT_INITIALIZE);
}

void SECEditModel::SetReadOnly(BOOL readOnly) {
    if ((readOnly != FALSE) == (m_readOnly != FALSE))
        return;
    m_readOnly = readOnly;
    NotifyObservers(nullptr, nullptr);
}

// ---- transactions ----

uint64_t SECEditModel::GetUndoTopSerial() const {
    const CMvcCommand* top = m_undoStack.Peek();
    return top ? top->GetSerial() : 0;
}

CMvcCommand* SECEditModel::UpdateModified() {
    m_modified = GetUndoTopSerial() != m_savedTop;
    return m_undoStack.Peek();
}

void SECEditModel::ClearUndo() {
    CloseCompound();
    m_typingJoinable = FALSE;
    if (m_modified)
        m_savedTop = kNeverSaved;
    ClearTransactions();
    if (!m_modified)
        m_savedTop = 0;
}

BOOL SECEditModel::Log(CMvcCommand* command) {
    if (m_compound) {
        // A command the step refuses is already its member, or holds the step itself: either
        // way the step owns it, and deleting it would leave the step a freed member.
        m_compound->Add(command);
        return TRUE;
    }
    // When the oldest command falls out of a full stack, an empty stack no longer stands for
    // the saved text.
    if (GetUndoCount() == kStackCapacity && m_savedTop == 0)
        m_savedTop = kNeverSaved;
    MvcTransactionModel::Log(command);
    UpdateModified();
    return TRUE;
}

void SECEditModel::CloseCompound() {
    m_compoundDepth = 0;
    m_inCompound = FALSE;
    std::unique_ptr<SECEditCompositeCommand> compound = std::move(m_compound);
    if (compound && compound->GetCount() > 0)
        Log(compound.release());
}

void SECEditModel::BeginCompound(int begin) {
    if (begin == 1) {
        if (m_compoundDepth++ == 0) {
            m_compound = std::make_unique<SECEditCompositeCommand>();
            m_inCompound = TRUE;
        }
        return;
    }
    if (m_compoundDepth == 0)
        return;
    if (--m_compoundDepth == 0)
        CloseCompound();
}

BOOL SECEditModel::MergeWithLast(CMvcCommand* command, BOOL commandFirst) {
    CloseCompound();
    CMvcCommand* top = m_undoStack.Pop();
    if (!top)
        return Log(command);
    auto group = std::make_unique<SECEditCompositeCommand>();
    group->Add(commandFirst ? command : top);
    group->Add(commandFirst ? top : command);
    return Log(group.release());
}

CMvcCommand* SECEditModel::Undo() {
    CloseCompound();
    m_typingJoinable = FALSE;
    CMvcCommand* c = MvcTransactionModel::Undo();
    UpdateModified();
    return c;
}

CMvcCommand* SECEditModel::Redo() {
    CloseCompound();
    m_typingJoinable = FALSE;
    CMvcCommand* c = MvcTransactionModel::Redo();
    UpdateModified();
    return c;
}

SECEditCommand* SECEditModel::CreateEditCommand(const SECEditRange& range) {
    if (m_currentCommand)
        return m_currentCommand;
    auto command = std::make_unique<SECEditCommand>(this, TRUE);
    command->m_range = range;
    SECEditCommand* raw = command.release();
    Log(raw);
    return raw;
}

// ---- edits ----

void SECEditModel::InvalidateColourLines(int first, int last) {
    for (int i = m_colourCache.NextFrom(first, last); i >= 0;
         i = m_colourCache.NextFrom(i + 1, last))
        m_colourCache.Take(i);
}

void SECEditModel::InvalidateSpansFrom(const SECEditPosition& from) {
    DropSpansFrom(from.m_line);
}

void SECEditModel::DropSpansFrom(int line) {
    // A line is coloured again from its start, so no span may reach into it: drop every span
    // that ends on the line or later, and then those that end on the line where a dropped
    // one starts, until none is left that ends at or after the first line to colour again.
    int first = -1;
    for (;;) {
        first = m_spans.FirstEndingAtOrAfter(SECEditPosition(line, 0));
        if (first >= m_spans.GetSize())
            return;
        int lowest = line;
        for (int i = first; i < m_spans.GetSize(); ++i)
            lowest = std::min<int>(lowest, m_spans.GetAt(i).Normalized().m_start.m_line);
        if (lowest >= line)
            break;
        line = lowest;
    }
    for (int i = first; i < m_spans.GetSize(); ++i) {
        const SECEditRange s = m_spans.GetAt(i).Normalized();
        SECEditLineMsg msg(s.m_start.m_line, s.m_end.m_line);
        NotifyObservers(nullptr, &msg);
        InvalidateColourLines(s.m_start.m_line, s.m_end.m_line);
    }
    m_spans.RemoveAt(first, m_spans.GetSize() - first);
    m_firstDirtyLine = std::min<int>(m_firstDirtyLine, line);
}

BOOL SECEditModel::InsertText(SECEditRange& range, const wchar_t* text, int length) {
    if (!m_store)
        return FALSE;
    if (length < 0)
        length = text ? static_cast<int>(std::wcslen(text)) : 0;
    const int line = range.m_start.m_line;
    if (m_store->PositionToOffset(line, range.m_start.m_column) < 0)
        return FALSE;
    if (!m_loading)
        InvalidateSpansFrom(range.m_start);
    const int lineLength = m_store->GetLineTextLength(line);
    const int indent = GetIndentLength(line);
    m_dataFollowsText = (lineLength > 0 && indent < lineLength) ? range.m_start.m_column <= indent
                                                                : range.m_start.m_column == 0;
    // Breaks put in while the text goes in: one per cut afterwards moves the rest of the text.
    const std::unique_ptr<SECEditTextStore> broken =
        m_loading || m_splitting ? nullptr
                                 : BreakForInsert(line, range.m_start.m_column, text, length);
    if (broken) {
        text = broken->Data();
        length = broken->TextLength();
    }
    if (!m_store->InsertText(range, text, length))
        return FALSE;
    if (m_loading)
        return TRUE;
    const SECEditPosition tail = m_splitting ? SECEditPosition(-1, 0) : SplitInsertedLines(range);
    // A break that the end line needs behind the inserted text is an edit of its own, undone
    // together with the insertion. A command that is being redone finds its break redone by
    // the next member of its compound.
    const bool breakTail = tail.m_line >= 0 && !m_currentCommand;
    if (breakTail)
        BeginCompound(1);
    SECEditCommand* command = CreateEditCommand(range);
    m_observerPart.OnUpdate(this, command);
    if (breakTail) {
        InsertLineBreak(tail.m_line, tail.m_column, nullptr);
        EndCompound();
    }
    return TRUE;
}

BOOL SECEditModel::InsertTextAt(int line, int column, const wchar_t* text, int length) {
    SECEditRange range(line, column, line, column);
    return InsertText(range, text, length);
}

BOOL SECEditModel::DeleteText(int startLine, int startColumn, int endLine, int endColumn) {
    if (!m_store)
        return FALSE;
    const SECEditRange range =
        SECEditRange(startLine, startColumn, endLine, endColumn).Normalized();
    const SECEditPosition& s = range.m_start;
    const SECEditPosition& e = range.m_end;
    if (m_store->PositionToOffset(s.m_line, s.m_column) < 0 ||
        m_store->PositionToOffset(e.m_line, e.m_column) < 0)
        return FALSE;
    InvalidateSpansFrom(s);
    m_dataFollowsText = s.m_column <= GetIndentLength(s.m_line) &&
                        e.m_column < m_store->GetLineTextLength(e.m_line);
    std::unique_ptr<SECEditCommand> fresh;
    SECEditCommand* command = m_currentCommand;
    if (!command) {
        fresh = std::make_unique<SECEditCommand>(this, FALSE);
        if (!m_store->GetText(fresh->m_text, s.m_line, s.m_column, e.m_line, e.m_column))
            return FALSE;
        fresh->m_range = range;
        command = fresh.get();
    }
    if (!m_store->DeleteText(range))
        return FALSE;
    if (!fresh) {
        m_observerPart.OnUpdate(this, command);
        return TRUE;
    }
    const int cut = m_splitting ? -1 : LineCut(s.m_line);
    if (cut >= 0)
        BeginCompound(1);
    Log(fresh.release());
    m_observerPart.OnUpdate(this, command);
    if (cut >= 0) {
        // Break where the two lines were joined when the first part fits there; the break's
        // own insertion breaks whatever is still too wide behind it.
        const bool atJoin =
            s.m_column > 0 && s.m_column <= cut && !SplitsPair(s.m_line, s.m_column);
        InsertLineBreak(s.m_line, atJoin ? s.m_column : cut, nullptr);
        EndCompound();
    }
    return TRUE;
}

BOOL SECEditModel::GetText(CString& out, int line1, int col1, int line2, int col2) {
    return m_store && m_store->GetText(out, line1, col1, line2, col2);
}

int SECEditModel::GetTextPointer(const wchar_t** out, int line1, int col1, int line2, int col2) {
    return m_store ? m_store->GetTextPointer(out, line1, col1, line2, col2) : 0;
}

int SECEditModel::Find(int startLine, int startColumn, int& outLine, int& outColumn,
                       const wchar_t* pattern, BOOL forward, BOOL wrap, BOOL matchCase,
                       BOOL wholeWord, BOOL regExp, int stopLine, int stopColumn) {
    return m_store ? m_store->Find(startLine, startColumn, outLine, outColumn, pattern, forward,
                                   wrap, matchCase, wholeWord, regExp, stopLine, stopColumn)
                   : 0;
}

void SECEditModel::GetAllText(CString& out) {
    out.Empty();
    if (m_store)
        out.SetString(m_store->Data(), m_store->TextLength());
}

void SECEditModel::SetText(const wchar_t* text, int length) {
    ResetDocument();
    if (text)
        InsertTextAt(0, 0, text, length);
    ClearUndo();
    m_modified = TRUE;
}

// ---- edit messages ----

void SECEditModel::HandleCommand(SECEditCommand* command) {
    const SECEditRange r = command->m_range.Normalized();
    const int first = r.m_start.m_line;
    const int last = r.m_end.m_line;
    if (r.m_start == r.m_end) {
        NotifyObservers(nullptr, command);
        return;
    }
    const int n = last - first;
    if (command->m_executed) {
        if (n > 0) {
            m_colourCache.Insert(first + 1, n);
            InsertLineEntries(first, n, m_dataFollowsText);
        }
        for (int line = first; line <= last; ++line)
            SetFlagQuietly(line, SECEDIT_FLAG_CHANGED, TRUE);
    } else {
        SetFlagQuietly(first, SECEDIT_FLAG_CHANGED, TRUE);
        if (n > 0) {
            m_colourCache.Erase(first + 1, n);
            if (m_dataFollowsText)
                RemoveLineEntries(first, last - 1);
            else
                RemoveLineEntries(first + 1, last);
            // An entry that followed the text may now sit on the joined line without the
            // changed mark.
            SetFlagQuietly(first, SECEDIT_FLAG_CHANGED, TRUE);
        }
    }
    InvalidateColourLines(first, first);
    // Never raised here: a span removed by this edit may begin above the edited line.
    m_firstDirtyLine = std::min<int>(m_firstDirtyLine, first);
    NotifyObservers(nullptr, command);
}

void SECEditModel::OnMessage(IMessage* message) {
    if (!message) {
        NotifyObservers(nullptr, nullptr);
        return;
    }
    switch (message->GetTypeID()) {
    case SECEDIT_HINT_RECOLOUR:
        ClearColourCache(GetLineCount());
        m_spans.RemoveAll();
        m_firstDirtyLine = 0;
        CreateDisplayInfoFont();
        NotifyObservers(nullptr, message);
        break;
    case SECEDIT_HINT_COMMAND:
        if (auto* c = dynamic_cast<SECEditCommand*>(message))
            HandleCommand(c);
        break;
    case SECEDIT_HINT_COMPOSITE:
        if (auto* group = dynamic_cast<SECEditCompositeCommand*>(message))
            for (CMvcCommand* member : group->Members())
                OnMessage(member);
        break;
    default:
        CreateDisplayInfoFont();
        NotifyObservers(nullptr, message);
        break;
    }
}

void SECEditModel::ClearColourCache(int lines) {
    m_colourCache.Clear(std::max(1, lines));
}

void SECEditModel::ResizeLineArrays(int lines) {
    ClearColourCache(lines);
    if (m_lineData.GetSize() > 0)
        RemoveLineEntries(0, m_lineData.GetSize() - 1);
    m_lineData.Clear(std::max(1, lines));
}

int SECEditModel::ShowMessage(const CString& text, UINT type) {
    return AfxMessageBox(text, type);
}

void SECEditModel::ReportFileError(const wchar_t* path, DWORD error) {
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    CString text;
    text.Format(L"%s: %s", path ? path : L"", buffer ? buffer : L"");
    if (buffer)
        LocalFree(buffer);
    ShowMessage(text, MB_ICONEXCLAMATION | MB_OK);
}
