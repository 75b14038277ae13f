#include <gtest/gtest.h>

#include "fakes/FakeMachine.h"
#include "platform/Machine.h"

namespace {

TEST(MachineTest, HostIsTheRealMachineWithEveryConcern) {
    platform::Machine& host = platform::Host();
    EXPECT_EQ(&host, &platform::RealMachine());
    const void* const concerns[] = {host.registry, host.files,     host.services, host.processes, host.dialUp,
                                    host.folders,  host.libraries, host.internet, host.profile,   host.system,
                                    host.shell,    host.clock,     host.dialogs};
    for (const void* concern : concerns) EXPECT_NE(concern, nullptr);
}

TEST(MachineTest, ScopedOverrideReplacesOnlyWhatItNamesAndRestores) {
    platform::Machine& real = platform::RealMachine();
    {
        testing_support::FakeMachine fake;
        EXPECT_EQ(platform::Host().clock, &fake.clock);
        EXPECT_EQ(platform::Host().files, &fake.files);
        EXPECT_EQ(platform::Host().profile, real.profile);
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
