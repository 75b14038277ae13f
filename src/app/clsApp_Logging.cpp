#include <memory>

#include "app/clsApp.h"
#include "log/clsLogShare.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

// Creates the log writer, configures it and hands it to the trace facade,
// which keeps it for the rest of the process. A step that fails is skipped:
// the program then runs with fewer (or no) logs.
void clsApp::StartLogging() {
    std::shared_ptr<clsLogShare> objLog;
    try {
        objLog = std::make_shared<clsLogShare>();
    } catch (...) {
        return;
    }
    const std::wstring sep = platform::PathSep();
    try {
        objLog->Directory(mstrAppPath + sep + L"TEMP");
    } catch (...) {
    }
    try {
        objLog->FileNamePrefix(L"Quorvex");
    } catch (...) {
    }
    try {
        objLog->FileNameMode(3);
    } catch (...) {
    }
    try {
        objLog->Init(mstrAppPath + sep + L"log.ini");
    } catch (...) {
    }
    try {
        mdlLog::LogInit(objLog, L"Quorvex");
    } catch (...) {
    }
}
