// Source documents, views and viewers in real windows of the test program itself: the source
// and file-viewer templates over the fixture files, under a plain MDI main window.
#pragma once

#include <gtest/gtest.h>

#include "framework/afx.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_view.h"

#include <string>

// The fixture as the library names it: a Windows path.
CString FixturePath(const char* name);
// Dispatches the queue as the library's pump does.
void Pump();
std::wstring LineText(SECEditModel& model, int line);
// The whole text of a model, its lines joined by line feeds.
std::wstring ModelText(SECEditModel& model);

class SourceDocs : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    CTarvikDoc* OpenSource(const char* name, CTarvikView** view);

    static CDocTemplate* s_source;
    static CDocTemplate* s_viewer;
    // Source documents in the source window's own frame, with its splitter and columns.
    static CDocTemplate* s_framed;
    CMDIFrameWnd* m_main = nullptr;
};
