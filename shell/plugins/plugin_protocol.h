// The plug-in protocol: the host's plug-in tree as fixed-column 8-bit text, and the file it is
// written to.
#pragma once

#include <string>

#include "framework/core/cstring.h"
#include "ifac/h/plugininfo.h"

// Columns of the protocol's fields.
constexpr int kProtocolDescriptionColumn = 20;
constexpr int kProtocolVersionColumn = 70;
constexpr int kProtocolCommandColumn = 80;
constexpr int kProtocolPathColumn = 95;

// Pads line with blanks up to column; a line that already reaches it gets one "," instead.
void PadProtocolLine(CString& line, int column);

// The whole protocol of the tree (null: title, header and footer only), as the bytes of the
// file.
std::string PluginProtocolText(PluginInfoNode* root);

// Creates (or empties) the file and writes bytes. On failure returns false with the reason in
// error, and leaves no file of the name behind.
bool WriteProtocolFile(const CString& path, const std::string& bytes, CString& error);
