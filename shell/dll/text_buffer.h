// The one 8-bit text buffer that the exports hand the host when they have no text of their
// own (the host must not free it).
#pragma once

constexpr int kSharedTextBufferSize = 1024;
char* SharedTextBuffer();
