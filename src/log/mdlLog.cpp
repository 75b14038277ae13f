#include "log/mdlLog.h"

#include <optional>

#include "base/Text.h"
#include "base/VbError.h"
#include "base/Version.h"
#include "log/clsLog.h"

namespace mdlLog {

namespace {

struct FacadeState {
    std::shared_ptr<clsLog> writer;
    int32_t componentId = 0;
    std::wstring prefix;
};

FacadeState& State() {
    static FacadeState state;
    return state;
}

std::optional<ProgramVersion>& VersionOverride() {
    static std::optional<ProgramVersion> version;
    return version;
}

constexpr wchar_t kTab = L'\t';

}  // namespace

ProgramVersion GetProgramVersion() {
    if (VersionOverride()) return *VersionOverride();
    return {base::kVersionMajor, base::kVersionMinor, base::kVersionRevision, base::kVersionComments};
}

void SetProgramVersion(const ProgramVersion& version) { VersionOverride() = version; }

bool LogInit(std::shared_ptr<clsLog> objLog, std::wstring_view strComponentName) {
    FacadeState& state = State();
    bool result = false;
    const bool firstInit = state.writer == nullptr;
    state.writer.reset();
    state.componentId = 0;
    state.prefix.clear();
    state.writer = std::move(objLog);
    if (!state.writer) return false;
    try {
        state.componentId = state.writer->GetComponentId(strComponentName);
        result = true;
        state.prefix.assign(strComponentName);
    } catch (...) {
    }
    if (firstInit) {
        try {
            const ProgramVersion version = GetProgramVersion();
            std::wstring header(strComponentName);
            header += L" verze " + base::DecStr(version.Major) + L"." + base::DecStr(version.Minor) + L"." +
                      base::DecStr(version.Revision);
            if (!version.Comments.empty()) header += L" (" + version.Comments + L")";
            state.writer->SetEvent(header, SysLog, state.componentId);
        } catch (...) {
        }
    }
    return result;
}

bool LogIsReady() noexcept { return State().writer != nullptr; }

bool LogEvent(std::wstring_view strWhere, std::wstring_view strText, int32_t eRecType) noexcept {
    try {
        FacadeState& state = State();
        if (!state.writer) return false;
        std::wstring text = state.prefix;
        text += strWhere;
        text += kTab;
        text += strText;
        return state.writer->SetEvent(text, eRecType, state.componentId);
    } catch (...) {
        return false;
    }
}

bool LogDebugValues(std::wstring_view strWhere, const LogValues& vParams) noexcept {
    try {
        FacadeState& state = State();
        if (!state.writer) return false;
        std::wstring text = state.prefix;
        text += strWhere;
        text += kTab;
        return state.writer->SetDebug(text, vParams, state.componentId);
    } catch (...) {
        return false;
    }
}

bool LogError(std::wstring_view strWhere, std::wstring_view strText, std::wstring_view strExtra) noexcept {
    try {
        // Read the pending error before anything here can replace it.
        const base::ErrorRecord pending = base::CurrentError();
        FacadeState& state = State();
        std::wstring line = state.prefix;
        line += strWhere;
        line += kTab;
        line += strText;
        line += kTab;
        line += base::DecStr(pending.Number);
        line += kTab;
        line += pending.Source;
        line += kTab;
        line += pending.Description;
        if (!state.writer) return false;
        if (!strExtra.empty()) {
            line += kTab;
            line += strExtra;
        }
        return state.writer->SetEvent(line, ERRLOG, state.componentId);
    } catch (...) {
        return false;
    }
}

}  // namespace mdlLog
