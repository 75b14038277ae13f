#include "platform/Profile.h"

namespace platform {

namespace {

// Every lookup goes to the file again.
class RereadingSnapshot final : public ProfileSnapshot {
public:
    RereadingSnapshot(Profile& profile, std::wstring_view strFile) : mProfile(profile), mFile(strFile) {}
    uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                       uint32_t lngBufferChars, std::wstring& strValue) override {
        return mProfile.GetString(strSection, strKey, strDefault, lngBufferChars, mFile, strValue);
    }
    std::vector<std::wstring> SectionNames() override { return mProfile.SectionNames(mFile); }
    std::vector<std::wstring> KeyNames(std::wstring_view strSection) override {
        return mProfile.KeyNames(strSection, mFile);
    }

private:
    Profile& mProfile;
    std::wstring mFile;
};

}  // namespace

std::unique_ptr<ProfileSnapshot> Profile::Snapshot(std::wstring_view strFile) {
    return std::make_unique<RereadingSnapshot>(*this, strFile);
}

}  // namespace platform
