// Archives whose objects nest deeper than any real data: a clear failure, not a dead process.
#include "framework/core/archive.h"
#include "framework/core/arrays.h"
#include "framework/core/maps.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

static int g_liveNests = 0;

// Owns its children, as a document's object tree does. Outside the unnamed namespace: the
// serial macros give it an extraction operator that nothing here calls.
class CNest : public CObject {
    DECLARE_SERIAL(CNest)
public:
    CNest() { ++g_liveNests; }
    ~CNest() override {
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            delete m_children[i];
        --g_liveNests;
    }
    void Serialize(CArchive& ar) override { m_children.Serialize(ar); }
    CObArray m_children;
};
IMPLEMENT_SERIAL(CNest, CObject, 1)

namespace {

std::vector<BYTE> Store(CObject* root) {
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store);
        ar << root;
    }
    std::vector<BYTE> bytes((size_t)m.GetLength());
    m.SeekToBegin();
    m.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// The bytes of a chain `depth` deep, from those of chains 2 and 3 deep: the third level adds
// one repeating piece, which repeats for every further level.
std::vector<BYTE> Chain(const std::function<std::vector<BYTE>(int)>& store, int depth) {
    const std::vector<BYTE> two = store(2), three = store(3);
    const size_t piece = three.size() - two.size();
    size_t split = 0;
    while (split < two.size() && two[split] == three[split])
        ++split;
    while (!std::equal(two.begin() + split, two.end(), three.begin() + split + piece))
        --split;
    std::vector<BYTE> out(two.begin(), two.begin() + split);
    for (int i = 2; i < depth; ++i)
        out.insert(out.end(), three.begin() + split, three.begin() + split + piece);
    out.insert(out.end(), two.begin() + split, two.end());
    return out;
}

// Each level holds a leaf and the next level, so a failed load has finished objects to lose.
std::vector<BYTE> NestChain(int depth) {
    return Chain(
        [](int n) {
            CNest root;
            CNest* level = &root;
            for (int i = 1; i < n; ++i) {
                level->m_children.Add(new CNest);
                auto* next = new CNest;
                level->m_children.Add(next);
                level = next;
            }
            return Store(&root);
        },
        depth);
}

std::vector<BYTE> ArrayChain(int depth) {
    return Chain(
        [](int n) {
            std::vector<CObArray> levels(n);
            for (int i = 0; i + 1 < n; ++i)
                levels[i].Add(&levels[i + 1]);
            return Store(&levels[0]);
        },
        depth);
}

std::vector<BYTE> MapChain(int depth) {
    return Chain(
        [](int n) {
            std::vector<CMapStringToOb> levels(n);
            for (int i = 0; i + 1 < n; ++i)
                levels[i].SetAt(L"next", &levels[i + 1]);
            return Store(&levels[0]);
        },
        depth);
}

// The cause of the archive exception the load throws, -1 when it loads; a loaded root is
// deleted with `drop`.
int Load(const std::vector<BYTE>& bytes, const std::function<void(CObject*)>& drop) {
    CMemFile m;
    m.Write(bytes.data(), (UINT)bytes.size());
    m.SeekToBegin();
    CArchive ar(&m, CArchive::load);
    try {
        CObject* root = ar.ReadObject(NULL);
        drop(root);
        return -1;
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
}

TEST(ArchiveDepth, NestingBeyondTheLimitThrowsAndLeaksNothing) {
    const int limit = (int)CArchive::nMaxObjectDepth;
    EXPECT_EQ(Load(NestChain(limit), [](CObject* root) { delete root; }), -1);
    EXPECT_EQ(g_liveNests, 0);
    for (int depth : {limit + 1, 20000, 100000}) {
        EXPECT_EQ(Load(NestChain(depth), [](CObject* root) { delete root; }),
                  CArchiveException::genericException)
            << depth;
        EXPECT_EQ(g_liveNests, 0) << depth;
    }
}

TEST(ArchiveDepth, FrameworkCollectionsNestOnlySoDeep) {
    const int limit = (int)CArchive::nMaxObjectDepth;
    // The collections own nothing: a loaded chain is taken apart level by level.
    auto dropArrays = [](CObject* root) {
        for (CObject* p = root; p;) {
            auto* a = static_cast<CObArray*>(p);
            p = a->GetSize() ? a->GetAt(0) : nullptr;
            delete a;
        }
    };
    auto dropMaps = [](CObject* root) {
        for (CObject* p = root; p;) {
            auto* m = static_cast<CMapStringToOb*>(p);
            p = nullptr;
            m->Lookup(L"next", p);
            delete m;
        }
    };
    EXPECT_EQ(Load(ArrayChain(limit), dropArrays), -1);
    EXPECT_EQ(Load(MapChain(limit), dropMaps), -1);
    for (int depth : {20000, 100000}) {
        EXPECT_EQ(Load(ArrayChain(depth), dropArrays), CArchiveException::genericException);
        EXPECT_EQ(Load(MapChain(depth), dropMaps), CArchiveException::genericException);
    }
}

} // namespace
