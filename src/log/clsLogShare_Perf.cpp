// Performance measurements: named sections timed from StartPerf to StopPerf
// and written as records of the performance types.
#include "log/clsLogShare.h"
#include "log/mdlTimer.h"

int32_t clsLogShare::PerfSlotCount(int32_t lngComponentID) const {
    return ValidComponent(lngComponentID) ? mComponents[lngComponentID].lngSlotCount : -1;
}

bool clsLogShare::IsPerfOpen(std::wstring_view strPerfID, int32_t lngComponentID) {
    try {
        if (!ValidComponent(lngComponentID) || strPerfID.empty()) return false;
        const LogComponent& component = mComponents[lngComponentID];
        for (int32_t index = component.lngSlotCount - 1; index >= 0; --index) {
            if (component.aPerfSlots[index].strPerfID == strPerfID) return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

bool clsLogShare::StartPerf(std::wstring_view strPerfID, std::wstring_view strDescription, int32_t eRecType,
                            int32_t lngComponentID) {
    try {
        if (!ValidComponent(lngComponentID) || strPerfID.empty()) return false;
        if (eRecType < 0 || eRecType >= kRecTypeCount) return false;
        LogComponent& component = mComponents[lngComponentID];
        if (component.alngStates[eRecType] == clsLogCfg::kOff) return false;
        if (component.lngSlotCapacity <= component.lngSlotCount) {
            component.aPerfSlots.resize(static_cast<size_t>(component.lngSlotCapacity) + kSlotStep + 1);
            component.lngSlotCapacity += kSlotStep;
        }
        const int32_t index = component.lngSlotCount++;

        std::wstring text = L"Performance started, id=\"";
        text += strPerfID;
        text += L'"';
        SetEvent(text, eRecType, lngComponentID);

        PerfSlot& slot = mComponents[lngComponentID].aPerfSlots[index];
        slot.lngComponentID = lngComponentID;
        slot.eRecType = eRecType;
        slot.strDescription.assign(strDescription);
        slot.strPerfID.assign(strPerfID);
        // Taken after the start record, so its writing is not measured.
        slot.curStartTicks = mdlTimer::GetTicks();
        return true;
    } catch (...) {
        return false;
    }
}

std::wstring clsLogShare::GetPerfFinishedText(const PerfSlot& objSlot) {
    // The end ticks come first, so the record's writing is not measured.
    const double seconds = mdlTimer::GetElapsedSeconds(objSlot.curStartTicks, mdlTimer::GetTicks());
    std::wstring text = L"Performance finished, id=\"" + objSlot.strPerfID + L"\"\r\n";
    text += objSlot.strDescription + L"\r\n";
    text += std::wstring(32, L'=') + L"\r\n";
    text += L"Running time=" + mdlTimer::FormatDuration(seconds) + L"\r\n";
    return text;
}

void clsLogShare::ReleasePerfSlot(LogComponent& objComponent, int32_t lngIndex) {
    PerfSlot& slot = objComponent.aPerfSlots[lngIndex];
    slot.strPerfID.clear();
    slot.lngComponentID = -1;
    slot.strDescription.clear();
    if (lngIndex != objComponent.lngSlotCount - 1) return;
    // The active range ends after the highest slot still in use.
    int32_t count = lngIndex;
    while (count > 0 && objComponent.aPerfSlots[count - 1].lngComponentID == -1) --count;
    objComponent.lngSlotCount = count;
}

bool clsLogShare::StopPerfSlot(int32_t lngComponentID, int32_t lngIndex) {
    const PerfSlot& slot = mComponents[lngComponentID].aPerfSlots[lngIndex];
    const std::wstring text = GetPerfFinishedText(slot);
    const int32_t type = slot.eRecType;
    SetEvent(text, type, lngComponentID);
    ReleasePerfSlot(mComponents[lngComponentID], lngIndex);
    return true;
}

bool clsLogShare::StopPerf(std::wstring_view strPerfID, int32_t lngComponentID) {
    try {
        if (!ValidComponent(lngComponentID)) return false;
        bool result = false;
        for (int32_t index = mComponents[lngComponentID].lngSlotCount - 1; index >= 0; --index) {
            const PerfSlot& slot = mComponents[lngComponentID].aPerfSlots[index];
            if (strPerfID.empty()) {
                // Newest first, every measurement still open.
                if (slot.lngComponentID == -1) continue;
                result = StopPerfSlot(lngComponentID, index);
            } else if (slot.strPerfID == strPerfID) {
                return StopPerfSlot(lngComponentID, index);
            }
        }
        return result;
    } catch (...) {
        return false;
    }
}
