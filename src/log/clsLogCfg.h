#pragma once
// Decides, for one component and record type, where its records go: nowhere,
// a file, a message box or both. The answer comes from log.ini (the
// component's own section, then section "Default"), then from marker files
// beside log.ini, then from defaults. Nothing is cached: every lookup reads
// the file again, so a changed log.ini counts from the next reload.

#include <cstdint>
#include <string>
#include <string_view>

class clsLogCfg {
public:
    // Output states; bit 1 is the file, bit 2 the message box.
    static constexpr int32_t kNotSet = -1;
    static constexpr int32_t kOff = 0;
    static constexpr int32_t kFile = 1;
    static constexpr int32_t kMsgBox = 2;

    // Full path of log.ini; empty makes every lookup end as not set.
    const std::wstring& INIFile() const { return mstrINIFile; }
    void INIFile(std::wstring_view strINIFile) { mstrINIFile.assign(strINIFile); }

    // The state of eRecType for strComponentName. A named component without a
    // setting gets eDefaultValue; the default component (empty name) falls
    // back to the marker files. Never -1; 1 when the lookup itself fails.
    int32_t GetSetting(int32_t eRecType, int32_t eDefaultValue, std::wstring_view strComponentName) const noexcept;

private:
    // The configured state or -1 (not set); a named component falls back to
    // section "Default".
    int32_t ReadSetting(int32_t eRecType, std::wstring_view strComponentName) const noexcept;
    // The log.ini key of a record type; "default" for numbers outside 0 to 8.
    static std::wstring GetRecTypeName(int32_t eRecType);
    // 1 or 0 by the marker file of the type ("debugon", "performanceon",
    // "performanceSQLon"); 1 for types without a marker.
    int32_t GetMarkerDefault(int32_t eRecType) const;

    std::wstring mstrINIFile;
};
