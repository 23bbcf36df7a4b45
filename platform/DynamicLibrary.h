#pragma once

#include <string>

namespace platform {

// Owner of one dlopen() handle; the destructor closes it.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    // Loads the library at path; check isLoaded() and lastError().
    explicit DynamicLibrary(const std::string& path);
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    bool isLoaded() const { return m_pHandle != nullptr; }
    // The address of an exported symbol, or nullptr.
    void* symbol(const char* name) const;
    // dlerror() text of the failed load; empty after success.
    const std::string& lastError() const { return m_csError; }
    // errno-like code of the failed load (0 after success).
    int lastErrorCode() const { return m_nErrorCode; }

private:
    void* m_pHandle = nullptr;
    std::string m_csError;
    int m_nErrorCode = 0;
};

} // namespace platform
