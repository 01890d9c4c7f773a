// The drag-and-drop rule sets that the application hands the host's service at start-up: for
// each target window kind, which drags it takes and the command line each one runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "include/idragdrp.h"

// What the host's state decides about the registration.
struct DropRuleHost {
    bool extensionMode = false; // host 3.3 or later in extension mode
    bool multiCore = false;     // host 3.2 or later with several cores
};

// One set as handed to the service: the rules and the all-zero end record, with the texts of
// the generated core variants kept alive beside them.
class DropRuleSet {
public:
    // The rules of kind ("SrcWnd", ...), core variants built; an unknown kind gives the end
    // record alone.
    explicit DropRuleSet(const char* kind);
    const DropRule* Rules() const { return m_rules.data(); }
    // Rules before the end record.
    size_t Count() const { return m_rules.size() - 1; }

private:
    const char* Keep(std::string text);

    std::deque<std::string> m_texts; // stable addresses for the rules' pointers
    std::vector<DropRule> m_rules;
};

// Registers every set the host's state calls for, in their fixed order, each built for the
// duration of its calls only. The service's answers do not stop the sets that follow.
void RegisterDropRuleSets(IDragDrop& service, const DropRuleHost& host);
