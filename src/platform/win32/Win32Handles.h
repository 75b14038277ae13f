#pragma once
// Owner of a Win32 handle the inventory calls open: closed on every way out.
// Include after <windows.h>.

namespace platform::win32 {

template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : mHandle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    // Calls report failure with either no handle or INVALID_HANDLE_VALUE.
    bool Valid() const { return mHandle != nullptr && reinterpret_cast<void*>(mHandle) != INVALID_HANDLE_VALUE; }
    Handle Get() const { return mHandle; }
    Handle* Out() {
        Reset();
        return &mHandle;
    }
    void Reset() {
        if (Valid()) Close(mHandle);
        mHandle = nullptr;
    }

private:
    Handle mHandle = nullptr;
};

}  // namespace platform::win32
