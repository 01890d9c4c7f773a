// The filter tree without windows: who sees a message, what the answers add up to, how filters
// are found, made and switched through descriptors, and a tree destroyed by one of its filters.
#include "docking/msgfilter_chain.h"
#include "docking/msgfilter_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Answers a set word and notes that it saw the message.
class ProbeFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ProbeFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        seen().push_back(m_nID);
        if (m_action) {
            const auto action = m_action; // the action may delete this filter
            const UINT nAnswer = m_nAnswer;
            action();
            return nAnswer;
        }
        return m_nAnswer | FilterChildren(message, wParam, lParam, pResult);
    }
    static std::vector<int>& seen() {
        static std::vector<int> ids;
        return ids;
    }
    UINT m_nAnswer = 0;
    std::function<void()> m_action;
};
IMPLEMENT_DYNCREATE(ProbeFilter, SECMsgFilter)

ProbeFilter* AddProbe(SECMsgFilter& parent, int nID, UINT nAnswer) {
    auto* pProbe = static_cast<ProbeFilter*>(parent.FindFilter(nID, RUNTIME_CLASS(ProbeFilter)));
    pProbe->m_nAnswer = nAnswer;
    return pProbe;
}

UINT Offer(SECMsgFilter& root) {
    ProbeFilter::seen().clear();
    LRESULT lResult = 0;
    return root.FilterMessage(WM_USER, 0, 0, &lResult);
}

} // namespace

TEST(FilterTree, AnswersAreOredUntilAStop) {
    struct Case {
        std::vector<UINT> answers; // of the root's children, in order
        std::vector<bool> enabled;
        UINT expected;
        std::vector<int> seen;
    };
    const Case cases[] = {
        {{0x1, 0x2, 0x4}, {true, true, true}, 0x7, {1, 2, 3}},
        {{0x1, 0x8, 0x4}, {true, true, true}, 0x9, {1, 2}},
        {{0x8, 0x1}, {false, true}, 0x1, {2}},
        {{0x0, 0x0}, {true, true}, 0x0, {1, 2}},
        {{0xF, 0x1}, {true, true}, 0xF, {1}},
    };
    for (const Case& c : cases) {
        SECMsgFilter root;
        for (size_t i = 0; i < c.answers.size(); ++i)
            AddProbe(root, int(i + 1), c.answers[i])->Enable(c.enabled[i]);
        EXPECT_EQ(Offer(root), c.expected);
        EXPECT_EQ(ProbeFilter::seen(), c.seen);
    }
}

TEST(FilterTree, ADisabledFilterHidesItsSubtree) {
    SECMsgFilter root;
    ProbeFilter* pParent = AddProbe(root, 1, 0);
    AddProbe(*pParent, 2, 0x1);
    EXPECT_EQ(Offer(root), 0x1u);
    EXPECT_EQ(ProbeFilter::seen(), (std::vector<int>{1, 2}));
    pParent->Enable(FALSE);
    EXPECT_EQ(Offer(root), 0u);
    EXPECT_TRUE(ProbeFilter::seen().empty());
    root.Enable(FALSE);
    pParent->Enable(TRUE);
    EXPECT_EQ(Offer(root), 0u);
}

TEST(FilterTree, FindFilterSearchesByDepthAndCreatesOnlyDirectChildren) {
    CWnd owner;
    SECMsgFilter root;
    root.SetOwner(&owner);
    SECMsgFilter* pChild = root.FindFilter(10, RUNTIME_CLASS(SECMsgFilter));
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(pChild->GetID(), 10);
    EXPECT_EQ(pChild->GetOwner(), &owner);
    SECMsgFilter* pGrandChild = pChild->FindFilter(20, RUNTIME_CLASS(SECNcMsgFilter));
    SECMsgFilter* pGreat = pGrandChild->FindFilter(30, RUNTIME_CLASS(SECCaptionMsgFilter));
    EXPECT_TRUE(pGreat->IsKindOf(RUNTIME_CLASS(SECCaptionMsgFilter)));

    // An id that exists is found, whatever class is asked for, and nothing is made.
    EXPECT_EQ(root.FindFilter(10, RUNTIME_CLASS(SECCaptionMsgFilter)), pChild);
    EXPECT_EQ(root.GetChildCount(), 1);

    EXPECT_EQ(root.FindFilter(20, NULL, 0), nullptr);
    EXPECT_EQ(root.FindFilter(20, NULL, 1), pGrandChild);
    EXPECT_EQ(root.FindFilter(30, NULL, 1), nullptr);
    EXPECT_EQ(root.FindFilter(30, NULL, 2), pGreat);
    EXPECT_EQ(root.FindFilter(30, NULL, -1), pGreat);
    EXPECT_EQ(root.GetChildCount(), 1);

    // Not found at the depth asked: the new filter goes directly under the root.
    SECMsgFilter* pNew = root.FindFilter(30, RUNTIME_CLASS(SECNcMsgFilter), 1);
    EXPECT_NE(pNew, pGreat);
    EXPECT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(1), pNew);

    // A class that is no filter makes nothing.
    EXPECT_EQ(root.FindFilter(40, RUNTIME_CLASS(CWnd)), nullptr);
    EXPECT_EQ(root.GetChildCount(), 2);
}

TEST(FilterTree, OwnerGoesDownTheTreeWhenAsked) {
    CWnd first, second;
    SECMsgFilter root;
    SECMsgFilter* pChild = root.FindFilter(1, RUNTIME_CLASS(SECMsgFilter));
    SECMsgFilter* pGrandChild = pChild->FindFilter(2, RUNTIME_CLASS(SECMsgFilter));
    root.SetOwner(&first, TRUE);
    EXPECT_EQ(pGrandChild->GetOwner(), &first);
    root.SetOwner(&second, FALSE);
    EXPECT_EQ(root.GetOwner(), &second);
    EXPECT_EQ(pChild->GetOwner(), &first);
}

TEST(FilterTree, CloneCopiesTheTreeAndOwnsIt) {
    CWnd owner;
    SECMsgFilter root;
    root.SetOwner(&owner);
    auto* pList = static_cast<SECCaptionControlListMsgFilter*>(
        root.FindFilter(256, RUNTIME_CLASS(SECCaptionControlListMsgFilter)));
    auto* pButton = static_cast<SECCaptionControlMsgFilter*>(
        pList->FindFilter(0, RUNTIME_CLASS(SECCaptionControlMsgFilter)));
    pButton->SetHoldDelay(300);
    pButton->Enable(FALSE);

    std::unique_ptr<SECMsgFilter> pCopy(root.Clone());
    ASSERT_EQ(pCopy->GetChildCount(), 1);
    SECMsgFilter* pListCopy = pCopy->GetChild(0);
    EXPECT_NE(pListCopy, pList);
    EXPECT_EQ(pListCopy->GetRuntimeClass(), RUNTIME_CLASS(SECCaptionControlListMsgFilter));
    EXPECT_EQ(pListCopy->GetID(), 256);
    EXPECT_TRUE(pListCopy->OwnsChildren());
    ASSERT_EQ(pListCopy->GetChildCount(), 1);
    auto* pButtonCopy = static_cast<SECCaptionControlMsgFilter*>(pListCopy->GetChild(0));
    EXPECT_EQ(pButtonCopy->GetOwner(), &owner);
    EXPECT_FALSE(pButtonCopy->IsEnabled());
    EXPECT_EQ(pButtonCopy->GetHoldDelay(), 300u);
}

namespace {

// The descriptors of a document frame: the list of caption controls is never switched off.
struct FrameDescriptors : testing::Test {
    FrameDescriptors() {
        chain.AddDescriptor(257, -1, RUNTIME_CLASS(SECMsgFilter));
        chain.AddDescriptor(256, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
                            SECMsgFilter::Descriptor::flagNeverDisable);
        chain.AddDescriptor(258, 256, RUNTIME_CLASS(SECCaptionControlMsgFilter));
        chain.AddDescriptor(259, -1, RUNTIME_CLASS(SECNcMsgFilter));
    }
    void Apply(std::initializer_list<DWORD> words) {
        CDWordArray record;
        for (DWORD w : words)
            record.Add(w);
        chain.Apply(record);
    }
    // "id:enabled" of every filter, depth first.
    std::string Tree() const {
        std::string text;
        std::function<void(const SECMsgFilter&)> walk = [&](const SECMsgFilter& f) {
            for (INT_PTR i = 0; i < f.GetChildCount(); ++i) {
                const SECMsgFilter* pChild = f.GetChild(i);
                text += std::to_string(pChild->GetID()) + (pChild->IsEnabled() ? "+ " : "- ");
                walk(*pChild);
            }
        };
        walk(*chain.GetRoot());
        return text;
    }
    SECMsgFilterChain chain;
};

} // namespace

TEST_F(FrameDescriptors, DisablingWhatWasNeverMadeMakesNothing) {
    Apply({0, 0, 0, 0});
    EXPECT_EQ(Tree(), "");
    // A child whose parent is missing is not made either, also when switched on.
    EXPECT_EQ(chain.GetRoot()->EnableDescriptor(chain.GetDescriptors()[2], TRUE), nullptr);
    EXPECT_EQ(Tree(), "");
    EXPECT_EQ(chain.GetRoot()->EnableDescriptor(NULL, TRUE), nullptr);
}

TEST_F(FrameDescriptors, RecordsSwitchFiltersButNeverTheFlaggedOne) {
    Apply({1, 1, 1, 1});
    EXPECT_EQ(Tree(), "257+ 256+ 258+ 259+ ");
    Apply({0, 0, 0, 1});
    EXPECT_EQ(Tree(), "257- 256+ 258- 259+ ");
    Apply({1, 1, 1, 0});
    EXPECT_EQ(Tree(), "257+ 256+ 258+ 259- ");
    chain.GetRoot()->EnableAll(chain.GetDescriptors(), FALSE);
    EXPECT_EQ(Tree(), "257- 256+ 258- 259- ");
    // A short record leaves the descriptors past its end alone.
    Apply({1});
    EXPECT_EQ(Tree(), "257+ 256+ 258- 259- ");
    EXPECT_TRUE(chain.GetRoot()
                    ->FindFilter(258, NULL, -1)
                    ->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilter)));
}

// A filter whose action deletes the whole tree: no later sibling runs, nothing is touched, and
// the frame's router reports the message handled, so the frame returns at once.
TEST(FilterTreeLifetime, AFilterThatDeletesItsTreeEndsTheWalk) {
    for (int round = 0; round < 50; ++round) {
        auto pChain = std::make_unique<SECMsgFilterChain>();
        SECMsgFilter* pRoot = pChain->GetRoot();
        ProbeFilter* pParent = AddProbe(*pRoot, 1, 0);
        AddProbe(*pParent, 2, 0)->m_action = [&] { pChain.reset(); };
        AddProbe(*pParent, 3, 0x1);
        AddProbe(*pRoot, 4, 0x1);
        ProbeFilter::seen().clear();
        LRESULT lResult = 0;
        EXPECT_TRUE(pChain->Route(WM_USER, 0, 0, &lResult));
        EXPECT_EQ(pChain, nullptr);
        EXPECT_EQ(ProbeFilter::seen(), (std::vector<int>{1, 2}));
    }
}
