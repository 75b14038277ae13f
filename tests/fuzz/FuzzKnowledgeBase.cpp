// A whole check on the fake machine with any bytes as the knowledge base:
// the loader, then the scan of every loaded track.
#include <memory>

#include "FuzzTarget.h"
#include "app/clsApp.h"
#include "base/VbError.h"
#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "log/mdlLog.h"

FUZZ_TARGET(bytes) {
    const testing_support::TempFolder folder;
    folder.Write(L"Vigilor.dat", bytes);
    testing_support::FakeMachine fake;
    fake.system.programFolder = folder.WPath();
    fake.system.programPath = folder.File(L"quorvex");
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
