#include "host/lib/plugin_tree.h"

PluginInfoNode PluginRecord(uintptr_t flags, const char* name, const char* description,
                            const char* version, const char* command, const char* path) {
    PluginInfoNode node{};
    node.flags = flags;
    node.name = name;
    node.description = description;
    node.version = version;
    node.command = command;
    node.path = path;
    return node;
}

PluginInfoNode* StandInPluginTree() {
    using namespace PluginFlags;
    static PluginInfoNode host =
        PluginRecord(expanded, "moxhost.exe", "Debugger host", "3.13", "", "C:\\mox\\moxhost.exe");
    static PluginInfoNode gui = PluginRecord(0, "moxguiu.dll", "Graphical User Interface", "2.4.2",
                                             "", "C:\\mox\\moxguiu.dll");
    static PluginInfoNode trace = PluginRecord(plugin | expanded, "trace.dll", "Trace recorder",
                                               "1.2", "TRACE", "C:\\mox\\plugins\\trace.dll");
    static PluginInfoNode traceFormats = PluginRecord(0, "tracefmt.dll", "Trace formats", "1.0", "",
                                                      "C:\\mox\\plugins\\tracefmt.dll");
    static PluginInfoNode flash =
        PluginRecord(plugin | expanded | collapsed, "flash.dll", "Flash programmer", "0.9", "FLASH",
                     "C:\\mox\\plugins\\flash.dll");
    static PluginInfoNode flashAlgorithms = PluginRecord(
        0, "flashalg.dll", "Flash algorithms", "0.9", "", "C:\\mox\\plugins\\flashalg.dll");
    static PluginInfoNode hiddenSupport =
        PluginRecord(hidden, "support.dll", "Host support", "3.13", "", "C:\\mox\\support.dll");
    static PluginInfoNode hiddenChild = PluginRecord(0, "supportx.dll", "Host support extension",
                                                     "3.13", "", "C:\\mox\\supportx.dll");
    static PluginInfoNode coverage = PluginRecord(plugin, "coverage.dll", "Code coverage", "2.1",
                                                  "COV", "C:\\mox\\plugins\\coverage.dll");
    host.firstChild = &gui;
    gui.next = &trace;
    trace.firstChild = &traceFormats;
    trace.next = &flash;
    flash.firstChild = &flashAlgorithms;
    flash.next = &hiddenSupport;
    hiddenSupport.firstChild = &hiddenChild;
    hiddenSupport.next = &coverage;
    return &host;
}
