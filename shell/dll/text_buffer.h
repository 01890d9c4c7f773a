// The one 8-bit text buffer that the exports hand the host when they have no text of their
// own (the host must not free it).
#pragma once

constexpr int kSharedTextBufferSize = 1024;
char* SharedTextBuffer();
// The buffer emptied: what a caller without text hands out, never the last call's text.
char* EmptySharedTextBuffer();
// The text copied in, cut to what the buffer holds at a character boundary and terminated.
char* CopyToSharedTextBuffer(const char* text);
