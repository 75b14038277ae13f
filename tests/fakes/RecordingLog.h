#pragma once
// A log writer that records what the trace facade hands it, and a guard that
// attaches one to the facade for a test and detaches it afterwards.
// Header-only: only test programs that link quorvex_log include it.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "log/clsLog.h"
#include "log/mdlLog.h"

namespace testing_support {

class RecordingLog final : public clsLog {
public:
    struct Event {
        std::wstring text;
        int32_t type;
        int32_t component;
    };
    std::vector<Event> events;
    std::vector<std::pair<std::wstring, mdlLog::LogValues>> debugs;
    std::vector<std::wstring> registered;
    int32_t nextId = 1;
    bool throwOnEvent = false;

    std::wstring Name() override { return L"RecordingLog"; }
    void FileNameMode(int32_t) override {}
    int32_t FileNameMode() override { return 3; }
    std::wstring GetLogFileName(int32_t) override { return {}; }
    void Enable(int32_t, std::wstring_view, int32_t) override {}
    int32_t Enable(int32_t, std::wstring_view) override { return 0; }
    void Directory(std::wstring_view) override {}
    std::wstring Directory() override { return {}; }
    void FileNamePrefix(std::wstring_view) override {}
    std::wstring FileNamePrefix() override { return {}; }
    void FileNameExtension(std::wstring_view) override {}
    std::wstring FileNameExtension() override { return {}; }
    bool SetEvent(std::wstring_view strText, int32_t eRecType, int32_t lngComponentID) override {
        if (throwOnEvent) throw std::runtime_error("writer failed");
        events.push_back({std::wstring(strText), eRecType, lngComponentID});
        return true;
    }
    bool SetDebug(std::wstring_view strText, const mdlLog::LogValues& vParams, int32_t) override {
        debugs.emplace_back(std::wstring(strText), vParams);
        return true;
    }
    bool DeleteOldLogs(int32_t, int32_t) override { return true; }
    bool IsPerfOpen(std::wstring_view, int32_t) override { return false; }
    bool StartPerf(std::wstring_view, std::wstring_view, int32_t, int32_t) override { return false; }
    bool StopPerf(std::wstring_view, int32_t) override { return false; }
    bool Init(std::wstring_view) override { return true; }
    int32_t GetComponentId(std::wstring_view strComponentName) override {
        registered.emplace_back(strComponentName);
        return strComponentName.empty() ? 0 : nextId;
    }

    // Texts of the event records of one type, in order.
    std::vector<std::wstring> TextsOf(int32_t eRecType) const {
        std::vector<std::wstring> texts;
        for (const Event& event : events) {
            if (event.type == eRecType) texts.push_back(event.text);
        }
        return texts;
    }
    void ClearRecords() {
        events.clear();
        debugs.clear();
    }
};

// Attaches a fresh RecordingLog under "Quorvex" for its lifetime; the version
// header the first attach writes is dropped so that a test sees only its own
// records.
class ScopedRecordingLog {
public:
    ScopedRecordingLog() {
        mdlLog::LogInit(nullptr, L"");
        mdlLog::LogInit(mLog, L"Quorvex");
        mLog->ClearRecords();
    }
    ~ScopedRecordingLog() { mdlLog::LogInit(nullptr, L""); }
    ScopedRecordingLog(const ScopedRecordingLog&) = delete;
    ScopedRecordingLog& operator=(const ScopedRecordingLog&) = delete;

    RecordingLog* operator->() const { return mLog.get(); }

private:
    std::shared_ptr<RecordingLog> mLog = std::make_shared<RecordingLog>();
};

}  // namespace testing_support
