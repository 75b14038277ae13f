#include <memory>

#include "app/clsApp.h"
#include "base/IgnoreErrors.h"
#include "log/clsLogShare.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

// Creates the log writer, configures it and hands it to the trace facade,
// which keeps it for the rest of the process. A step that fails is skipped:
// the program then runs with fewer (or no) logs.
void clsApp::StartLogging() {
    std::shared_ptr<clsLogShare> objLog;
    base::IgnoreErrors([&] { objLog = std::make_shared<clsLogShare>(); });
    if (!objLog) return;
    const std::wstring sep = platform::PathSep();
    base::IgnoreErrors([&] { objLog->Directory(mstrAppPath + sep + L"TEMP"); });
    base::IgnoreErrors([&] { objLog->FileNamePrefix(L"Quorvex"); });
    base::IgnoreErrors([&] { objLog->FileNameMode(3); });
    base::IgnoreErrors([&] { objLog->Init(mstrAppPath + sep + L"log.ini"); });
    base::IgnoreErrors([&] { mdlLog::LogInit(objLog, L"Quorvex"); });
}
