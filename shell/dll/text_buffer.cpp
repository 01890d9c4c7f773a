#include "shell/dll/text_buffer.h"

char* SharedTextBuffer() {
    static char buffer[kSharedTextBufferSize] = {};
    return buffer;
}
