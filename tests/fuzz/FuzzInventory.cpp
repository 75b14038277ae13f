// The Linux inventory readers under a temporary root: a dpkg status file,
// a systemd unit, an init script and a NetworkManager profile from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixDialUp.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/PosixServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const testing_support::TempFolder root;
    FuzzedDataProvider input(data, size);
    const std::string status = input.ConsumeRandomLengthString(4096);
    const std::string unit = input.ConsumeRandomLengthString(4096);
    const std::string script = input.ConsumeRandomLengthString(4096);
    const std::string connection = input.ConsumeRemainingBytesAsString();

    platform::posix::PosixRegistry::ParseStatus(status);
    std::filesystem::remove_all(root.Path() / "r");
    root.Write(L"r/etc/systemd/system/fuzz.service", unit);
    root.Write(L"r/etc/init.d/other", script);
    std::filesystem::permissions(root.Path() / "r/etc/init.d/other", std::filesystem::perms::owner_all);
    root.Write(L"r/etc/NetworkManager/system-connections/fuzz.nmconnection", connection);
    const std::string base = (root.Path() / "r").string();
    std::vector<platform::ServiceEntry> services;
    platform::posix::PosixServices(base).Enumerate(platform::kServiceWin32, platform::kServiceStateAll, services);
    std::vector<std::wstring> entries;
    platform::posix::PosixDialUp(base).EnumEntries(entries);
    return 0;
}
