// The stand-in host's loaded libraries, as the tree it hands to PluginDialog.
#pragma once

#include "ifac/h/plugininfo.h"

// One record, unlinked.
PluginInfoNode PluginRecord(uintptr_t flags, const char* name, const char* description,
                            const char* version, const char* command, const char* path);

// The root record: the host itself, with the library, three plug-ins (one collapsed, one with a
// library of its own) and a hidden support library below it. The records live for the process.
PluginInfoNode* StandInPluginTree();
