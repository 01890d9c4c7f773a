#include "framework/core/archive.h"
#include "framework/core/file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

CString TempPath(LPCWSTR name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    CString s;
    s.Format(L"%sfwcore_%lu_%s", dir, ::GetCurrentProcessId(), name);
    return s;
}

} // namespace

TEST(Files, CFileRoundTripSeekLength) {
    CString path = TempPath(L"plain.bin");
    {
        CFile f;
        CFileException e;
        ASSERT_TRUE(f.Open(
            path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
            &e));
        const char data[] = "0123456789";
        f.Write(data, 10);
        EXPECT_EQ(10u, f.GetLength());
        EXPECT_EQ(10u, f.GetPosition());
        f.SeekToBegin();
        f.Write("AB", 2);
        EXPECT_EQ(10u, f.SeekToEnd());
        f.SetLength(8);
        EXPECT_EQ(8u, f.GetLength());
        f.Flush();
        EXPECT_STREQ(L"fwcore_", (LPCWSTR)f.GetFileName().Left(7));
        EXPECT_EQ(path.CompareNoCase(f.GetFilePath()), 0);
        f.Close();
        EXPECT_EQ(CFile::hFileNull, f.m_hFile);
    }
    {
        CFile f(path, CFile::modeRead | CFile::shareDenyNone);
        char buf[20] = {};
        EXPECT_EQ(8u, f.Read(buf, 20));
        EXPECT_STREQ("AB234567", buf);
        EXPECT_EQ(0u, f.Read(buf, 20)); // at the end
        EXPECT_EQ(3u, f.Seek(3, CFile::begin));
        EXPECT_EQ(5u, f.Seek(2, CFile::current));
        EXPECT_EQ(6u, f.Seek(-2, CFile::end));
        EXPECT_EQ(2u, f.Read(buf, 5));
        EXPECT_EQ(0, std::memcmp(buf, "67", 2));
        CFileStatus st;
        EXPECT_TRUE(f.GetStatus(st));
        EXPECT_EQ(8u, st.m_size);
    }
    // modeNoTruncate keeps the contents.
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(8u, f.GetLength());
    }
    CFileStatus st;
    EXPECT_TRUE(CFile::GetStatus(path, st));
    EXPECT_EQ(0, st.m_attribute & CFile::readOnly);
    CString renamed = TempPath(L"renamed.bin");
    CFile::Rename(path, renamed);
    EXPECT_FALSE(CFile::GetStatus(path, st));
    CFile::Remove(renamed);
    EXPECT_FALSE(CFile::GetStatus(renamed, st));
    // Removing a missing file throws.
    bool thrown = false;
    try {
        CFile::Remove(renamed);
    } catch (CFileException* e) {
        thrown = true;
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Files, FailedOpenReportedThroughCFileException) {
    CString missing = TempPath(L"does-not-exist.txt");
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, e.m_lOsError);
    EXPECT_EQ(0, e.m_strFileName.Compare(missing));
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);
    // Without an exception object: just FALSE.
    EXPECT_FALSE(f.Open(missing, CFile::modeRead));
    // A bad folder.
    CFileException e2;
    EXPECT_FALSE(f.Open(TempPath(L"no-such-dir\\x.txt"), CFile::modeRead, &e2));
    EXPECT_EQ(CFileException::badPath, e2.m_cause);
    // A sharing violation.
    CString path = TempPath(L"locked.bin");
    CFile locked(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFileException e3;
    CFile other;
    EXPECT_FALSE(other.Open(path, CFile::modeRead | CFile::shareDenyNone, &e3));
    EXPECT_EQ(CFileException::sharingViolation, e3.m_cause);
    locked.Close();
    CFile::Remove(path);
    // The throwing constructor.
    bool thrown = false;
    try {
        CFile g(missing, CFile::modeRead);
    } catch (CFileException* ex) {
        thrown = true;
        EXPECT_EQ(CFileException::fileNotFound, ex->m_cause);
        ex->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Files, MemFileGrowthAndAttach) {
    CMemFile m(16);
    char chunk[10];
    for (int i = 0; i < 10; ++i)
        chunk[i] = (char)('a' + i);
    for (int i = 0; i < 5; ++i)
        m.Write(chunk, 10);
    EXPECT_EQ(50u, m.GetLength());
    m.SeekToBegin();
    char back[60] = {};
    EXPECT_EQ(50u, m.Read(back, 60));
    EXPECT_EQ(0, std::memcmp(back + 40, chunk, 10));
    EXPECT_EQ(0u, m.Read(back, 1));
    // Seek past the end and write: the gap reads as zeros.
    m.Seek(60, CFile::begin);
    m.Write("Z", 1);
    EXPECT_EQ(61u, m.GetLength());
    m.Seek(50, CFile::begin);
    char gap[11];
    EXPECT_EQ(11u, m.Read(gap, 11));
    EXPECT_EQ(0, gap[0]);
    EXPECT_EQ('Z', gap[10]);
    m.SetLength(5);
    EXPECT_EQ(5u, m.GetPosition());
    bool thrown = false;
    try {
        m.Seek(-1, CFile::begin);
    } catch (CFileException* e) {
        thrown = true;
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    BYTE* detached = m.Detach();
    ASSERT_NE(nullptr, detached);
    EXPECT_EQ('a', detached[0]);
    std::free(detached);
    EXPECT_EQ(0u, m.GetLength());

    // A fixed attached buffer: readable contents, writing past its end throws.
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile f(fixed, 4);
    EXPECT_EQ(4u, f.GetLength());
    BYTE b[4];
    EXPECT_EQ(4u, f.Read(b, 4));
    EXPECT_EQ(4, b[3]);
    f.SeekToBegin();
    f.Write("\x09", 1);
    EXPECT_EQ(9, fixed[0]);
    thrown = false;
    f.SeekToEnd();
    try {
        f.Write("x", 1);
    } catch (CMemoryException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    // A growable attached buffer starts empty and moves out when it grows; ours stays intact.
    BYTE small[4] = {7, 7, 7, 7};
    CMemFile g(small, 4, 8);
    EXPECT_EQ(0u, g.GetLength());
    g.Write("abcdef", 6);
    EXPECT_EQ(6u, g.GetLength());
    EXPECT_EQ(7, small[3]);
}

TEST(Files, StdioFileLines) {
    CString path = TempPath(L"lines.txt");
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString(L"first line\n");
        f.WriteString(L"second\n");
        f.WriteString(L"no newline");
    }
    {
        CFile raw(path, CFile::modeRead);
        EXPECT_EQ(30u, raw.GetLength()); // "\n" written as "\r\n"
    }
    {
        CStdioFile f(path, CFile::modeRead | CFile::typeText);
        CString line;
        ASSERT_TRUE(f.ReadString(line));
        EXPECT_STREQ(L"first line", (LPCWSTR)line);
        wchar_t buf[64];
        ASSERT_NE(nullptr, f.ReadString(buf, 64));
        EXPECT_STREQ(L"second\n", buf);
        ASSERT_TRUE(f.ReadString(line));
        EXPECT_STREQ(L"no newline", (LPCWSTR)line);
        EXPECT_FALSE(f.ReadString(line));
        EXPECT_EQ(nullptr, f.ReadString(buf, 64));
    }
    CFile::Remove(path);
}

TEST(Files, MirrorFileReplacesOnCloseOnly) {
    CString path = TempPath(L"mirror.txt");
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("old", 3);
    }
    {
        CMirrorFile m;
        ASSERT_TRUE(m.Open(path, CFile::modeCreate | CFile::modeWrite));
        m.Write("new!", 4);
        m.Abort(); // the target is untouched
    }
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(path, st));
    EXPECT_EQ(3u, st.m_size);
    {
        CMirrorFile m;
        ASSERT_TRUE(m.Open(path, CFile::modeCreate | CFile::modeWrite));
        // Opening again is refused and must not lose the mirror being written.
        EXPECT_FALSE(m.Open(path, CFile::modeCreate | CFile::modeWrite));
        m.Write("new!", 4);
        m.Close();
    }
    ASSERT_TRUE(CFile::GetStatus(path, st));
    EXPECT_EQ(4u, st.m_size);
    CFile::Remove(path);
}
