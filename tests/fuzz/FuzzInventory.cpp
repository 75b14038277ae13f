// The Linux inventory readers under a temporary root: a dpkg status file,
// a systemd unit, an init script and a NetworkManager profile from the input.
#include <vector>

#include "FuzzTarget.h"
#include "platform/posix/PosixDialUp.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/PosixServices.h"

FUZZ_TARGET(bytes) {
    FuzzedDataProvider input = fuzz::Provider(bytes);
    platform::posix::PosixRegistry::ParseStatus(input.ConsumeRandomLengthString(4096));
    const testing_support::TempFolder root;
    root.Write(L"etc/systemd/system/fuzz.service", input.ConsumeRandomLengthString(4096));
    root.Write(L"etc/init.d/other", input.ConsumeRandomLengthString(4096));
    std::filesystem::permissions(root.Path() / "etc/init.d/other", std::filesystem::perms::owner_all);
    root.Write(L"etc/NetworkManager/system-connections/fuzz.nmconnection", input.ConsumeRemainingBytesAsString());
    const std::string base = root.Path().string();
    std::vector<platform::ServiceEntry> services;
    platform::posix::PosixServices(base).Enumerate(platform::kServiceWin32, platform::kServiceStateAll, services);
    std::vector<std::wstring> entries;
    platform::posix::PosixDialUp(base).EnumEntries(entries);
}
