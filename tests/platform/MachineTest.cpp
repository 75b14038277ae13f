#include <gtest/gtest.h>

#include "fakes/FakeMachine.h"
#include "platform/Machine.h"

namespace {

TEST(MachineTest, HostIsTheRealMachineWithEveryConcern) {
    platform::Machine& host = platform::Host();
    EXPECT_EQ(&host, &platform::RealMachine());
    for (const void* concern : {static_cast<const void*>(host.registry), static_cast<const void*>(host.files),
                                static_cast<const void*>(host.services), static_cast<const void*>(host.processes),
                                static_cast<const void*>(host.dialUp), static_cast<const void*>(host.folders),
                                static_cast<const void*>(host.libraries), static_cast<const void*>(host.internet),
                                static_cast<const void*>(host.profile), static_cast<const void*>(host.system),
                                static_cast<const void*>(host.shell), static_cast<const void*>(host.clock),
                                static_cast<const void*>(host.dialogs)}) {
        EXPECT_NE(concern, nullptr);
    }
}

TEST(MachineTest, ScopedOverrideReplacesOnlyWhatItNamesAndRestores) {
    platform::Machine& real = platform::RealMachine();
    {
        testing_support::FakeMachine fake;
        platform::Machine& host = platform::Host();
        EXPECT_EQ(host.clock, &fake.clock);
        EXPECT_EQ(host.dialogs, &fake.dialogs);
        EXPECT_EQ(host.files, &fake.files);
        EXPECT_EQ(host.system, &fake.system);
        EXPECT_EQ(host.profile, real.profile);
        {
            testing_support::FakeClock inner;
            platform::Machine bundle;
            bundle.clock = &inner;
            platform::ScopedMachine nested(bundle);
            EXPECT_EQ(platform::Host().clock, &inner);
            EXPECT_EQ(platform::Host().dialogs, &fake.dialogs) << "taken from the machine it replaces";
        }
        EXPECT_EQ(platform::Host().clock, &fake.clock);
    }
    EXPECT_EQ(&platform::Host(), &real);
}

}  // namespace
