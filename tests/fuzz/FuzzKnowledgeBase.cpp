// A whole check on the fake machine with any bytes as the knowledge base:
// the loader, then the scan of every loaded track.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/clsApp.h"
#include "base/VbError.h"
#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/TempFolder.h"
#include "log/mdlLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const testing_support::TempFolder root;
    static unsigned run = 0;
    // A fresh program folder each time: the profile reader must not serve an
    // earlier input from its cache.
    const std::wstring name = L"run" + std::to_wstring(run++);
    root.Write(name + L"/Vigilor.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    {
        testing_support::FakeMachine fake;
        fake.system.programFolder = root.File(name);
        fake.system.programPath = root.File(name + L"/quorvex");
        gblnCancel = false;
        auto app = std::make_unique<clsApp>();
        try {
            app->Check(-1);
        } catch (const base::VbError&) {
            // An overflow in the knowledge base ends the check; that is its answer.
        }
        app.reset();
        mdlLog::LogInit(nullptr, L"");
    }
    std::filesystem::remove_all(root.Path() / name);
    return 0;
}
