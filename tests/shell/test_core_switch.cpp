// Core-selection records around request chains, and the core switch around direct calls.
#include "tests/shell/bound_host.h"

namespace {

std::vector<uint32_t> Codes(const HostRequest* chain) {
    std::vector<uint32_t> codes;
    for (int i = 0; chain && i < 16; ++i, chain = chain->next)
        codes.push_back(chain->code);
    return codes;
}

TEST(CoreSwitch, SingleCoreOrOldHostLeavesTheRequestAlone) {
    for (HostOptions o : {HostVersion(3, 13, 1), HostVersion(3, 1, 4)}) {
        BindTestHost(o);
        HostRequest request{};
        request.code = 106;
        EXPECT_EQ(&request, WrapRequestInCoreSwitch(2, &request, 0));
        EXPECT_EQ(nullptr, request.next);
    }
}

TEST(CoreSwitch, MultiCoreChainOfTwoBecomesFour) {
    BindTestHost(HostVersion(3, 2, 2));
    HostRequest first{}, second{};
    first.code = 106;
    first.next = &second;
    second.code = 107;
    HostRequest* chain = WrapRequestInCoreSwitch(1, &first, 0);
    EXPECT_EQ((std::vector<uint32_t>{130, 106, 107, 130}), Codes(chain));
    EXPECT_EQ(0x30000u, chain->flags);
    EXPECT_EQ(1u, chain->param[1]);
    EXPECT_EQ(0x30000u, second.next->flags);
    EXPECT_EQ(0u, second.next->param[1]);
    EXPECT_EQ(nullptr, second.next->next);
}

TEST(CoreSwitch, WrappingAWrappedChainAgainCannotMakeALoop) {
    BindTestHost(HostVersion(3, 13, 2));
    HostRequest request{};
    HostRequest* chain = WrapRequestInCoreSwitch(1, &request, 0);
    EXPECT_EQ(chain, WrapRequestInCoreSwitch(1, chain, 0));
    EXPECT_EQ((std::vector<uint32_t>{130, 0, 130}), Codes(chain));
    EXPECT_EQ(nullptr, WrapRequestInCoreSwitch(1, nullptr, 0));
}

TEST(CoreSwitch, DirectCallsRunOnTheWindowsCoreAndRestoreTheHost) {
    BindTestHost(HostVersion(3, 13, 2));
    HostState::Get().currentCore = 0;
    HostState::Get().coreMode = 1;
    {
        HostCoreScope scope(1);
        EXPECT_EQ(1, HostState::Get().currentCore);
        EXPECT_EQ(0, HostState::Get().coreMode);
    }
    std::vector<std::string> calls = CallLines();
    EXPECT_EQ((std::vector<std::string>{"IsMultiCore()", "GetCoreMode()", "GetCurrentCore()",
                                        "SetCoreMode(0)", "SetCurrentCore(1)", "SetCurrentCore(0)",
                                        "SetCoreMode(1)"}),
              calls);
}

TEST(CoreSwitch, DirectCallsOnASingleCoreRunAlone) {
    BindTestHost(HostVersion(3, 13, 1));
    { HostCoreScope scope(1); }
    EXPECT_EQ((std::vector<std::string>{"IsMultiCore()"}), CallLines());
}

} // namespace
