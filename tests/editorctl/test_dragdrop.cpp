// Drops into edit views, driven at the controllers' drop side with the data a drag of the
// source selection offers, or data no editor makes: a move and a copy between two views, a
// drop into the dragged selection, a read-only target, a move inside one view, and data
// without text. The same drags through the system's loop are in test_dragloop.cpp.
#include "editorctl_support.h"

#include "editor/edit_controller.h"
#include "framework/ole/oledatasource.h"

#include <gtest/gtest.h>

#include <ole2.h>

namespace {

using namespace ectest;

struct Offer {
    COleDataSource* source;
    COleDataObject data;
    explicit Offer(COleDataSource* s) : source(s) {
        if (source)
            data.Attach(source->GetIDataObject(TRUE), TRUE);
    }
    ~Offer() {
        data.Release();
        if (source)
            source->InternalRelease();
    }
};

class DragDrop : public ::testing::Test {
protected:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }

    // Drops what `from` has selected onto `to` at a position, as the OLE loop would.
    static DROPEFFECT Drop(Editor& from, Editor& to, int line, int column, DWORD keys) {
        Offer offer(from.Controller().CreateDataSource());
        EXPECT_NE(offer.source, nullptr);
        from.Model().SetDragSource(&from.Controller());
        const CPoint p = to.PointOf(line, column) + CPoint(1, 2);
        SECEditController& target = to.Controller();
        DROPEFFECT effect = target.OnDragEnter(&offer.data, keys, p);
        if (effect != DROPEFFECT_NONE)
            effect = target.OnDragOver(&offer.data, keys, p);
        if (effect != DROPEFFECT_NONE)
            target.OnDrop(&offer.data, effect, p);
        else
            target.OnDragLeave();
        // What the source does with the result, as after DoDragDrop.
        if (effect == DROPEFFECT_MOVE && from.Model().GetDragSource() == &from.Controller())
            from.Controller().ReplaceSelection(L"", FALSE);
        from.Model().SetDragSource(nullptr);
        return effect;
    }
};

TEST_F(DragDrop, MoveAndCopyBetweenTwoViews) {
    Editor a, b;
    a.Load(L"hello world");
    b.Load(L"abc");
    a.Controller().SetSelection(SECEditRange(0, 6, 0, 11), SECEditSelection::modeStream);
    EXPECT_EQ(Drop(a, b, 0, 1, 0), DROPEFFECT_MOVE);
    EXPECT_EQ(Text(b.Model()), L"aworldbc");
    EXPECT_EQ(Text(a.Model()), L"hello ");
    SECEditRange selected;
    ASSERT_TRUE(b.Controller().GetSelection(selected, FALSE));
    EXPECT_TRUE(selected == SECEditRange(0, 1, 0, 6)) << "the dropped text is selected";
    EXPECT_EQ(b.Model().GetUndoCount(), 1) << "one step";

    a.Controller().SetSelection(SECEditRange(0, 0, 0, 5), SECEditSelection::modeStream);
    EXPECT_EQ(Drop(a, b, 0, 0, MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Text(b.Model()), L"helloaworldbc");
    EXPECT_EQ(Text(a.Model()), L"hello ") << "a copy leaves the source";
}

TEST_F(DragDrop, IntoTheDraggedSelectionNothingChanges) {
    Editor a;
    a.Load(L"one two three");
    a.Controller().SetSelection(SECEditRange(0, 4, 0, 7), SECEditSelection::modeStream);
    Drop(a, a, 0, 5, 0);
    EXPECT_EQ(Text(a.Model()), L"one two three");
    EXPECT_EQ(a.Model().GetUndoCount(), 0);
}

TEST_F(DragDrop, AMoveInsideOneViewLandsWhereDroppedAndUndoesInOneStep) {
    Editor a;
    a.Load(L"one two three");
    a.Controller().SetSelection(SECEditRange(0, 0, 0, 4), SECEditSelection::modeStream);
    // The caret is gone while a drop runs, so its stored place follows the deletion.
    a.Controller().DestroyCaret();
    Drop(a, a, 0, 8, 0);
    EXPECT_EQ(Text(a.Model()), L"two one three");
    EXPECT_EQ(a.Model().GetUndoCount(), 1);
    a.Model().Undo();
    EXPECT_EQ(Text(a.Model()), L"one two three");
}

TEST_F(DragDrop, ReadOnlyTargetsAndDataWithoutTextRefuse) {
    Editor a, b;
    a.Load(L"text");
    b.Load(L"target");
    b.Model().SetReadOnly(TRUE);
    a.Controller().SetSelection(SECEditRange(0, 0, 0, 4), SECEditSelection::modeStream);
    EXPECT_EQ(Drop(a, b, 0, 0, 0), DROPEFFECT_NONE);
    EXPECT_EQ(Text(b.Model()), L"target");
    EXPECT_EQ(Text(a.Model()), L"text");
    b.Model().SetReadOnly(FALSE);

    for (int empty = 0; empty < 2; ++empty) {
        auto* source = new COleDataSource;
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4);
        source->CacheGlobalData(empty ? CLIPFORMAT(CF_UNICODETEXT) : CLIPFORMAT(CF_TEXT), memory);
        Offer offer(source);
        const CPoint p = b.PointOf(0, 1);
        EXPECT_EQ(b.Controller().OnDragEnter(&offer.data, 0, p), DROPEFFECT_NONE);
        EXPECT_FALSE(b.Controller().OnDrop(&offer.data, DROPEFFECT_COPY, p));
        EXPECT_EQ(Text(b.Model()), L"target");
    }
}

} // namespace
