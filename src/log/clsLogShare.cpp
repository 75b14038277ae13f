// The writer's state: components, configuration, file names, old logs.
#include "log/clsLogShare.h"

#include <algorithm>

#include "base/Text.h"
#include "base/VbError.h"
#include "log/CivilDays.h"
#include "log/mdlTimer.h"
#include "platform/Machine.h"

namespace {

constexpr wchar_t kErrorSource[] = L"clsLogShare";

bool HasBit(int32_t lngValue, int32_t lngBit) { return (lngValue & lngBit) != 0; }

std::wstring TwoDigits(int lngValue) {
    std::wstring text = base::DecStr(lngValue);
    return text.size() < 2 ? L"0" + text : text;
}

bool IsDigits(std::wstring_view strText) {
    for (wchar_t ch : strText) {
        if (ch < L'0' || ch > L'9') return false;
    }
    return true;
}

int64_t Today() {
    const platform::LocalDateTime now = platform::Host().clock->Now();
    return mdlLog::civil::DaysFromCivil(now.Year, now.Month, now.Day);
}

// Day number of the date at the end of a log file name ("..._yymmdd.ext"),
// or nothing when the name carries none.
bool FileNameDate(std::wstring_view strName, int64_t& lngDays) {
    const size_t underscore = strName.rfind(L'_');
    const size_t from = underscore == std::wstring_view::npos ? 0 : underscore + 1;
    const size_t dot = strName.rfind(L'.');
    // Position of the last "." (1-based), or the whole length without one.
    const size_t limit = dot == std::wstring_view::npos ? strName.size() : dot + 1;
    const std::wstring_view part = strName.substr(from, std::min<size_t>(6, limit));
    if (part.size() != 6 || !IsDigits(part)) return false;
    const auto number = [&](size_t pos) { return (part[pos] - L'0') * 10 + (part[pos + 1] - L'0'); };
    lngDays = mdlLog::civil::DateSerial(2000 + number(0), number(2), number(4));
    return true;
}

}  // namespace

clsLogShare::clsLogShare() {
    try {
        mobjCfg = std::make_unique<clsLogCfg>();
    } catch (...) {
    }
    try {
        InitComponents();
    } catch (...) {
    }
    mdlTimer::InitTimer();
    mcurStartTicks = mdlTimer::GetTicks();
}

clsLogShare::~clsLogShare() = default;

std::wstring clsLogShare::Name() { return L"clsLogShare"; }

void clsLogShare::FileNameMode(int32_t eMode) { mlngFileNameMode = eMode; }
int32_t clsLogShare::FileNameMode() { return mlngFileNameMode; }

void clsLogShare::FileNamePrefix(std::wstring_view strFileNamePrefix) { mstrFileNamePrefix.assign(strFileNamePrefix); }
std::wstring clsLogShare::FileNamePrefix() { return mstrFileNamePrefix; }

void clsLogShare::FileNameExtension(std::wstring_view strFileNameExt) { mstrFileNameExt.assign(strFileNameExt); }
std::wstring clsLogShare::FileNameExtension() { return mstrFileNameExt; }

void clsLogShare::Directory(std::wstring_view strDirectory) {
    const wchar_t separator = platform::PathSeparator();
    if (!strDirectory.empty() && strDirectory.back() == separator) {
        mstrDirectory.assign(strDirectory);
    } else if (!strDirectory.empty()) {
        mstrDirectory.assign(strDirectory);
        mstrDirectory += separator;
    } else {
        mstrDirectory = std::wstring(L".") + separator;
    }
}

std::wstring clsLogShare::Directory() { return mstrDirectory; }

void clsLogShare::InitComponents() {
    mComponents.clear();
    mComponents.emplace_back();
    LoadComponentSettings(mComponents.front());
}

bool clsLogShare::LoadComponentSettings(LogComponent& objComponent) {
    try {
        if (!mobjCfg) return false;
        for (int32_t type = 0; type < kRecTypeCount; ++type) {
            // A named component's current state is its default (a new one's
            // comes from component 0).
            objComponent.alngStates[type] =
                mobjCfg->GetSetting(type, objComponent.alngStates[type], objComponent.strName);
        }
        objComponent.aPerfSlots.assign(kSlotStep + 1, PerfSlot{});
        objComponent.lngSlotCapacity = kSlotStep;
        objComponent.lngSlotCount = 0;
        return true;
    } catch (...) {
        return false;
    }
}

bool clsLogShare::Init(std::wstring_view strINIFile) {
    try {
        if (!mobjCfg) return false;
        mobjCfg->INIFile(strINIFile);
        bool result = true;
        for (LogComponent& component : mComponents) result = LoadComponentSettings(component) && result;
        return result;
    } catch (...) {
        return false;
    }
}

int32_t clsLogShare::GetComponentId(std::wstring_view strComponentName) {
    try {
        for (size_t id = 0; id < mComponents.size(); ++id) {
            if (base::TextEquals(mComponents[id].strName, strComponentName)) return static_cast<int32_t>(id);
        }
        if (mComponents.empty()) return -1;
        LogComponent added = mComponents.front();
        added.strName.assign(strComponentName);
        if (!LoadComponentSettings(added)) return -1;
        mComponents.push_back(std::move(added));
        return static_cast<int32_t>(mComponents.size() - 1);
    } catch (...) {
        return -1;
    }
}

bool clsLogShare::ValidComponent(int32_t lngComponentID) const {
    return lngComponentID >= 0 && static_cast<size_t>(lngComponentID) < mComponents.size();
}

void clsLogShare::SetComponentEnable(LogComponent& objComponent, int32_t eRecType, int32_t eState) {
    if (eRecType == mdlLog::kAllRecTypes) {
        objComponent.alngStates.fill(eState);
        return;
    }
    if (eRecType < 0 || eRecType >= kRecTypeCount) base::Raise(base::vbErrSubscript, kErrorSource);
    objComponent.alngStates[eRecType] = eState;
}

void clsLogShare::Enable(int32_t eRecType, std::wstring_view strComponentName, int32_t eState) {
    try {
        if (!strComponentName.empty()) {
            const int32_t id = GetComponentId(strComponentName);
            if (id < 0) base::Raise(kErrComponent, kErrorSource, L"The component cannot be registered");
            SetComponentEnable(mComponents[id], eRecType, eState);
        } else {
            for (LogComponent& component : mComponents) SetComponentEnable(component, eRecType, eState);
        }
    } catch (...) {
    }
}

int32_t clsLogShare::Enable(int32_t eRecType, std::wstring_view strComponentName) {
    if (eRecType == mdlLog::kAllRecTypes) {
        base::Raise(kErrAllTypes, kErrorSource, L"The state of all record types cannot be read at once");
    }
    const int32_t id = GetComponentId(strComponentName);
    if (id < 0) base::Raise(kErrComponent, kErrorSource, L"The component cannot be registered");
    if (eRecType < 0 || eRecType >= kRecTypeCount) base::Raise(base::vbErrSubscript, kErrorSource);
    return mComponents[id].alngStates[eRecType];
}

std::wstring clsLogShare::GetChannelName(int32_t eRecType) {
    switch (eRecType) {
        case mdlLog::InfoLog: return L"USER";
        case mdlLog::SysLog:
        case mdlLog::ERRLOG: return L"SYS";
        case mdlLog::DebugLog: return L"DEBUG";
        case mdlLog::Perf_I:
        case mdlLog::Perf_SQL: return L"PERFORMANCE";
        case mdlLog::Perf_II: return L"PERFORMANCE_II";
        case mdlLog::Perf_III: return L"PERFORMANCES";
        default: return {};
    }
}

std::wstring clsLogShare::GetLogFileName(int32_t eType) {
    try {
        const bool withDate = HasBit(mlngFileNameMode, 1);
        std::wstring name = mstrDirectory;
        if (HasBit(mlngFileNameMode, 2)) {
            name += GetChannelName(eType);
            if (!mstrFileNamePrefix.empty() || withDate) name += L"_";
        }
        if (!mstrFileNamePrefix.empty()) {
            name += mstrFileNamePrefix;
            if (withDate) name += L"_";
        }
        if (withDate) {
            const platform::LocalDateTime now = platform::Host().clock->Now();
            name += TwoDigits(now.Year % 100) + TwoDigits(now.Month) + TwoDigits(now.Day);
        }
        if (!mstrFileNameExt.empty()) name += L"." + mstrFileNameExt;
        return name;
    } catch (...) {
        return {};
    }
}

bool clsLogShare::DeleteOldLogs(int32_t lngDays, int32_t eType) {
    try {
        platform::FileSystem& files = *platform::Host().files;
        platform::FindEntry entry;
        const std::unique_ptr<platform::FolderSearch> search = files.FindFirst(mstrDirectory + L"*.*", entry);
        if (!search) return true;
        const int64_t oldest = Today() - lngDays;
        constexpr uint32_t kSkipped = platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem;
        do {
            try {
                if (entry.Name == L"." || entry.Name == L".." || (entry.Attributes & kSkipped) != 0) continue;
                int64_t fileDay = 0;
                if (FileNameDate(entry.Name, fileDay) && fileDay < oldest) files.DeleteFile(mstrDirectory + entry.Name);
            } catch (...) {
            }
        } while (search->Next(entry));
    } catch (...) {
    }
    return true;
}
