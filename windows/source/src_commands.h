// The source view's command ids and their message-map entries (expanded inside the view's map).
#pragma once

#include "windows/source/src_menu.h"

enum : UINT {
    kCmdSetBreakpoint = 32771,
    kCmdClearBreakpoint = 32772,
    kCmdGoHere = 32773,
    kCmdRunUntilCaller = 32774,
    kCmdRunUntilReturn = 32775,
    kCmdEvaluate = 32776,
    kCmdEvaluateFromPointer = 32777,
    kCmdAddToEval = 32778,
    kCmdAddToEvalFromPointer = 32779,
    kCmdSetPc = 32782,
    kCmdSetValue = 32783,
    kCmdEvaluateAddress = 32786,
    kCmdAddToEvalAddress = 32787,
    kCmdJumpToDefinition = 32788,
    kCmdJumpToAssembler = 32802,
    kCmdComplexConditions = 32984,
    kCmdCoverageJump = 32986,
    kCmdDeleteBlockComment = 32993,
    kCmdAddBlockComment = 32994,
    kCmdEditBlockComment = 32996,
    kCmdCopy = 57634,
    kCmdToggleBookmark = 45267,
    kCmdPrintPreview = 57609,
};

#define SOURCE_VIEW_COMMAND_ENTRIES()                                                              \
    ON_COMMAND(kCmdSetBreakpoint, OnSetBreakpoint)                                                 \
    ON_COMMAND(kCmdClearBreakpoint, OnClearBreakpoint)                                             \
    ON_COMMAND_EX(kCmdGoHere, OnCaretRequest)                                                      \
    ON_COMMAND_EX(kCmdRunUntilCaller, OnCaretRequest)                                              \
    ON_COMMAND_EX(kCmdRunUntilReturn, OnCaretRequest)                                              \
    ON_COMMAND(kCmdSetPc, OnSetPc)                                                                 \
    ON_COMMAND_EX(kCmdJumpToAssembler, OnCaretRequest)                                             \
    ON_COMMAND_EX(kCmdEvaluate, OnCaretRequest)                                                    \
    ON_COMMAND_EX(kCmdEvaluateFromPointer, OnCaretRequest)                                         \
    ON_COMMAND_EX(kCmdEvaluateAddress, OnCaretRequest)                                             \
    ON_COMMAND_EX(kCmdAddToEval, OnCaretRequest)                                                   \
    ON_COMMAND_EX(kCmdAddToEvalFromPointer, OnCaretRequest)                                        \
    ON_COMMAND_EX(kCmdAddToEvalAddress, OnCaretRequest)                                            \
    ON_COMMAND_EX(kCmdJumpToDefinition, OnCaretRequest)                                            \
    ON_COMMAND(kCmdSetValue, OnSetValue)                                                           \
    ON_COMMAND_RANGE(kSourceSubmenuFirst, kSourceSubmenuLast, OnBreakChoice)                       \
    ON_COMMAND_EX(kCmdCoverageJump, OnCaretRequest)                                                \
    ON_COMMAND(kCmdAddBlockComment, OnAddBlockComment)                                             \
    ON_COMMAND(kCmdEditBlockComment, OnEditBlockComment)                                           \
    ON_COMMAND(kCmdDeleteBlockComment, OnDeleteBlockComment)                                       \
    ON_COMMAND(kCmdComplexConditions, OnComplexConditions)                                         \
    ON_COMMAND(kCmdCopy, OnCopy)                                                                   \
    ON_COMMAND(kCmdToggleBookmark, OnToggleBookmark)                                               \
    ON_COMMAND(kCmdPrintPreview, OnSourcePrintPreview)
