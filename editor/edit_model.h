// The editor's document: text, undoable edits, per-line data and flags, colouring, files.
#pragma once

#include "editor/display_info.h"
#include "editor/edit_command.h"
#include "editor/edit_msg.h"
#include "editor/lang_config.h"
#include "editor/line_breaker.h"
#include "editor/line_colouring.h"
#include "editor/sparse_lines.h"
#include "editor/text_store.h"

#include <memory>
#include <vector>

class SECEditLineData {
public:
    virtual ~SECEditLineData() = default;
    BOOL IsEmpty() const { return m_value == 0 && m_flags == 0; }
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);
    int32_t m_value = 0;
    uint32_t m_flags = 0;
};

enum {
    SECEDIT_FLAG_CHANGED = 18,   // the line was changed by an edit
    SECEDIT_FLAG_HIGHLIGHT = 19, // the line is drawn in the "Highlight" group
};

class SECEditModel : public corvalis::foundation::MvcTransactionModel, public CObject {
public:
    using CMvcCommand = corvalis::foundation::CMvcCommand;

    SECEditModel();
    ~SECEditModel() override;

    bool QueryGuid(const GUID& guid, void** out) override;
    BOOL IsModified() override { return m_modified; }
    BOOL Log(CMvcCommand* command) override;
    CMvcCommand* Undo() override;
    CMvcCommand* Redo() override;

    // Language, display and resetting.
    virtual BOOL SetLanguageAndReset(const wchar_t* name);
    virtual void ResetDocument();
    // The font and colour dialog for the configuration; after OK the choice goes into it and
    // its observers (every model of that language, and through them their views) hear 22575.
    virtual BOOL ChooseFont();
    virtual SECEditLangConfig* GetLangConfig() const { return m_langConfig; }
    virtual void SetLangConfig(SECEditLangConfig* config);
    virtual BOOL SetLangConfigByName(const wchar_t* name);
    virtual SECEditDisplayInfo* GetDisplayInfo() const { return m_displayInfo.get(); }
    // The model takes the display information over; the caller's pointer stays valid until
    // another one is set or the model goes.
    virtual void SetDisplayInfo(std::unique_ptr<SECEditDisplayInfo> info);

    // Colouring.
    virtual SECEditLineColouring* GetLineColouring(int line);
    virtual SECEditLineColouring* ColourLine(int line, int fromColumn);
    virtual std::unique_ptr<SECEditDisplayInfo> CreateDisplayInfo();
    virtual int ScanToken(int line, const wchar_t* text, int column, int tokenEnd, int lineLength);
    virtual int ScanKeyword(const wchar_t* token, int length);
    virtual int ScanTag(int line, const wchar_t* text, int column, int lineLength);
    virtual int ScanOperator(const wchar_t* token, int length);
    virtual SECEditTag* FindBeginTag(const wchar_t* text, int length);
    virtual int StartMultiLineTag(int line, int column, SECEditTag* tag);
    virtual int ScanSingleLineTag(int line, int column, SECEditTag* tag);
    virtual void FlushPlain();
    virtual SECEditPosition FindTagEnd(int line, int column, SECEditTag* tag);
    virtual int LookupKeyword(const wchar_t* text, int length, int& group);
    virtual BOOL NextColouredRun(int line, int fromColumn, int& start, int& end);
    virtual BOOL GetColouredRunAt(const SECEditPosition& pos, int& start, int& end);
    virtual BOOL ColourRange(const SECEditRange& range);

    virtual std::unique_ptr<SECEditTextStore> CreateStore();
    virtual BOOL IsReadOnly() const { return m_readOnly; }
    virtual wchar_t GetWhitespaceGlyph(BOOL tab) const { return tab ? 187 : 183; }
    // The whole text as one string; loading leaves an unmodified document without history.
    virtual void SerializeText(CArchive& ar);
    // The name of the language configuration.
    virtual void SerializeLanguage(CArchive& ar);
    void Serialize(CArchive& ar) override;

    // Files.
    virtual BOOL OpenFile(const wchar_t* path);
    virtual BOOL ReadUnicodeFile(const wchar_t* path);
    virtual BOOL ReadAnsiFile(const wchar_t* path);
    virtual void ReportOpenFailure();
    virtual BOOL SaveFile(const wchar_t* path);
    virtual BOOL ExportHtml(const wchar_t* path, const wchar_t* face);

    // Edits.
    virtual BOOL InsertText(SECEditRange& range, const wchar_t* text, int length = -1);
    virtual BOOL InsertTextAt(int line, int column, const wchar_t* text, int length = -1);
    virtual int CharToDisplayColumn(int value, int direction, int line, int* snapped);
    virtual int DisplayColumnOf(int value, int direction, const wchar_t* text, int length,
                                int* snapped);
    virtual void MakeWhitespace(CString& out, int count, int line, int column, BOOL spacesAllowed);
    virtual int TabSpan(int line, int column);
    virtual BOOL DeleteText(int startLine, int startColumn, int endLine, int endColumn);
    virtual BOOL GetText(CString& out, int line1, int col1, int line2, int col2);
    virtual int GetTextPointer(const wchar_t** out, int line1, int col1, int line2, int col2);
    virtual CMvcCommand* UpdateModified();
    virtual int Find(int startLine, int startColumn, int& outLine, int& outColumn,
                     const wchar_t* pattern, BOOL forward, BOOL wrap, BOOL matchCase,
                     BOOL wholeWord, BOOL regExp, int stopLine = -1, int stopColumn = -1);
    virtual BOOL CreateDisplayInfoFont();
    virtual BOOL InsertTab(int line, int column);
    virtual BOOL SplitLongLines(BOOL doIt, int firstLine, int lastLine);
    virtual SECEditCommand* CreateEditCommand(const SECEditRange& range);
    // 1 opens a compound step, any other value closes it. Steps nest: only the outermost
    // pair opens and records the compound.
    virtual void BeginCompound(int begin);
    void EndCompound() { BeginCompound(0); }
    virtual BOOL MergeWithLast(CMvcCommand* command, BOOL commandFirst);
    virtual int GetLinePointer(int line, CString& buffer, const wchar_t*& text);
    virtual int GetLineTextLength(int line);
    virtual BOOL IsValidPosition(int line, int column, BOOL allowAny);
    virtual int ClampColumn(int line, int column, BOOL flag);
    virtual int GetMaxLineColumns() const { return m_maxLineColumns; }
    virtual BOOL IsLineBlank(int line);

    // Per-line data and flags.
    virtual BOOL GetLineFlag(int line, int flag);
    virtual void ToggleLineFlag(int line, int flag);
    virtual void ClearFlagEverywhere(int flag);
    virtual int FindFlaggedLine(int from, int flag, BOOL forward);
    virtual int CountFlaggedLines(int flag);
    virtual int GetLineValue(int line);
    virtual int SetLineValue(int line, int value);
    virtual SECEditLineData* GetOrCreateLineData(int line);
    virtual void ClearLineData(int line);
    virtual void InsertLineEntries(int line, int count, BOOL before);
    virtual void RemoveLineEntries(int first, int last);
    virtual void OnDeleteLineData(SECEditLineData*) {}

    int GetLineCount() const { return m_store ? m_store->GetLineCount() : 0; }
    int GetLineLength(int line) { return m_store ? m_store->GetLineLength(line) : -1; }
    int GetLastLine() const { return GetLineCount() - 1; }
    int GetIndentLength(int line);
    void GetAllText(CString& out);
    void SetText(const wchar_t* text, int length = -1);
    // Replaces the whole text the way a file is read: one pass over the text, no undo step,
    // the model unmodified afterwards; FALSE (the model empty) when it cannot be held.
    BOOL LoadText(const wchar_t* text, int length);
    void SetLineFlag(int line, int flag, BOOL on);
    void ClearUndo();
    void SetModified(BOOL modified) { m_modified = modified; }
    void SetReadOnly(BOOL readOnly);
    BOOL GetOvertype() const { return m_overtype; }
    void SetOvertype(BOOL overtype) { m_overtype = overtype; }
    BOOL IsUnicodeFile(const wchar_t* path);
    BOOL OffsetToPosition(int offset, int& line, int& column) {
        return m_store && m_store->OffsetToPosition(offset, line, column);
    }
    int PositionToOffset(int line, int column) {
        return m_store ? m_store->PositionToOffset(line, column) : -1;
    }

    BOOL GetUnicode() const { return m_unicode; }
    void SetUnicode(BOOL unicode) { m_unicode = unicode; }
    // FALSE after loading an 8-bit file whose bytes the code page does not map one to one
    // (an invalid trail byte, a lead byte at the end): saving it would change those bytes.
    BOOL IsTextExact() const { return m_textExact; }
    void EnableColouring(BOOL on) { m_colouringEnabled = on; }
    SECEditTextStore* GetStore() const { return m_store.get(); }
    SECEditCommand* SetCurrentCommand(SECEditCommand* command);
    // The serial of the command on top of the undo stack, 0 when it is empty: lets callers
    // that join typing into one step recognise the command they made last.
    uint64_t GetUndoTopSerial() const;
    int GetCompoundDepth() const { return m_compoundDepth; }

    // Typing: the flag is set while a typed character is inserted; joining a character onto
    // the run before it is allowed only until the history moves (undo, redo, clearing, reset).
    void SetTyping(BOOL typing) { m_typing = typing; }
    BOOL IsTyping() const { return m_typing; }
    BOOL CanJoinTyping() const { return m_typingJoinable && m_compoundDepth == 0; }
    void AllowTypingJoin() { m_typingJoinable = TRUE; }
    // Folds the newest insert into the one below it when that one has the serial and ends
    // where the newest starts; TRUE when they are one step now.
    BOOL JoinTyping(uint64_t serial);
    // The controller whose selection is being dragged out of this model, or null.
    void SetDragSource(void* controller) { m_dragSource = controller; }
    void* GetDragSource() const { return m_dragSource; }

    static int CharsetFromOemCodePage(UINT codePage);

protected:
    // Where the model tells the user something (message boxes); tests replace it.
    virtual int ShowMessage(const CString& text, UINT type);
    void ReportFileError(const wchar_t* path, DWORD error);
    void NotifyHint(uint32_t hint);

private:
    class ObserverPart : public corvalis::foundation::IObserver {
    public:
        explicit ObserverPart(SECEditModel* model) : m_model(model) {}
        bool QueryGuid(const GUID& guid, void** out) override;
        int32_t AddRef() override { return 1; }
        int32_t Release() override { return 1; }
        void OnUpdate(corvalis::foundation::ISubject* subject,
                      corvalis::foundation::IMessage* message) override;

    private:
        SECEditModel* m_model;
    };
    friend class ObserverPart;

    void OnMessage(corvalis::foundation::IMessage* message);
    void HandleCommand(SECEditCommand* command);
    void InvalidateSpansFrom(const SECEditPosition& from);
    void DropSpansFrom(int line);
    void InvalidateColourLines(int first, int last);
    void ClearColourCache(int lines);
    void CloseCompound();
    // Breaks the too wide lines of an insertion inside the inserted range; returns where the
    // range's end line still has to be broken behind it, or a line of -1.
    SECEditPosition SplitInsertedLines(SECEditRange& range);
    std::unique_ptr<SECEditTextStore> BreakForInsert(int line, int column, const wchar_t* text,
                                                     int length);
    // The characters of a line up to its line feed: the width limit applies to all of them.
    int LineContent(int line, const wchar_t*& text);
    // Where the line has to be broken to fit the width limit, or -1 when it fits.
    int LineCut(int line);
    bool SplitsPair(int line, int column);
    BOOL InsertLineBreak(int line, int column, SECEditRange* range);
    BOOL FinishLoad(BOOL ok, int breaks);
    SECEditLineBreaker CreateLineBreaker() const;
    BOOL ReadAnsiChunks(HANDLE file, int& breaks);
    BOOL ReadUnicodeChunks(HANDLE file, int& breaks);
    void SetFlagQuietly(int line, int flag, BOOL on);
    void ColourTokens(int line, const wchar_t* text, int column, int lineLength);
    // Colours a line and the end lines of the multi-line tags that start on it; a scan only
    // finds those tags and keeps no colouring.
    SECEditLineColouring* ColourLines(int line, int fromColumn, bool scan);
    // Keeps a multi-line tag found from (line, column) to `end`: the lines inside are coloured
    // from it, and the model's observers hear that they change.
    void KeepMultiLineSpan(int line, int column, const SECEditPosition& end, int group);
    // The scan that a range's colouring makes of a line on which a multi-line tag's begin text
    // was found at `offset`, taken without the token steps where the line holds nothing but
    // blanks before it; false when the line needs the full scan.
    bool ScanTagLineQuickly(int line, int offset);
    // Whether every step of the tokeniser is this class's own (a derived model may replace
    // them): only then may a scan skip them.
    bool HasOwnScanner();
    // The colouring of a line that a known multi-line tag covers from its start, or null.
    SECEditLineColouring* ColourFromSpan(int line);
    void ResizeLineArrays(int lines);

    ObserverPart m_observerPart{this};
    BOOL m_splitting = FALSE;
    SECEditCommand* m_currentCommand = nullptr;
    BOOL m_unicode = TRUE;
    BOOL m_textExact = TRUE;
    BOOL m_colouringEnabled = TRUE;
    std::unique_ptr<SECEditTextStore> m_store;
    SECEditSpanList m_spans;
    // Only the lines that have a colouring or data hold anything.
    SECEditSparseLines<SECEditLineColouring> m_colourCache;
    SECEditSparseLines<SECEditLineData> m_lineData;
    BOOL m_modified = FALSE;
    BOOL m_readOnly = FALSE;
    BOOL m_overtype = FALSE;
    BOOL m_inCompound = FALSE;
    int32_t m_maxLineColumns = 2048;
    int32_t m_firstDirtyLine = 0;
    std::unique_ptr<SECEditCompositeCommand> m_compound;
    uint64_t m_savedTop = 0; // the serial of the undo stack's top at the last save or load
    std::unique_ptr<SECEditDisplayInfo> m_displayInfo;
    // The configuration's font that m_displayInfo was made and measured with, when the model
    // made it so: a new document keeps it while the font stays the same, for making and
    // measuring a font again costs as much as reading a small file.
    struct DisplayFont {
        CString face;
        int size = 0;
        BOOL bold = FALSE;
        BOOL italic = FALSE;
        bool made = false;
    };
    DisplayFont m_displayFont;
    bool DisplayInfoFitsConfig() const;
    SECEditLangConfig* m_langConfig = nullptr;
    BOOL m_dataFollowsText = FALSE;

    int32_t m_compoundDepth = 0;
    BOOL m_loading = FALSE;
    // The colouring being built by ColourLine and its pending plain-text run.
    SECEditLineColouring* m_building = nullptr;
    int m_pendingPlain = 0;
    // Where a multi-line tag ended: the line that ColourLine finishes next, or -1.
    int m_continueLine = -1;
    int m_continueColumn = 0;
    std::unique_ptr<SECEditLineColouring> m_highlight;
    std::vector<SECEditTag*> m_multiLineTags;
    // Where each multi-line tag's begin text is next found while a range is scanned.
    std::vector<int> m_tagFinds;
    bool m_scanning = false;
    SECEditLineColouring m_scanned; // what a scan colours, dropped line by line

    static constexpr uint64_t kNeverSaved = ~0ull;
    BOOL m_typing = FALSE;
    BOOL m_typingJoinable = FALSE;
    void* m_dragSource = nullptr;
};
