#include "platform/DynamicLibrary.h"

#include <cerrno>
#include <dlfcn.h>
#include <sys/stat.h>

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
    if (path.empty()) {
        m_csError = "empty library path";
        m_nErrorCode = ENOENT;
        return;
    }
    dlerror();
    m_pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_pHandle != nullptr) {
        return;
    }
    const char* text = dlerror();
    m_csError = text != nullptr ? text : ("cannot load " + path);
    struct stat info {};
    m_nErrorCode = stat(path.c_str(), &info) != 0 ? errno : ENOEXEC;
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : m_pHandle(other.m_pHandle), m_csError(std::move(other.m_csError)),
      m_nErrorCode(other.m_nErrorCode) {
    other.m_pHandle = nullptr;
    other.m_nErrorCode = 0;
}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        if (m_pHandle != nullptr) {
            dlclose(m_pHandle);
        }
        m_pHandle = other.m_pHandle;
        m_csError = std::move(other.m_csError);
        m_nErrorCode = other.m_nErrorCode;
        other.m_pHandle = nullptr;
        other.m_nErrorCode = 0;
    }
    return *this;
}

DynamicLibrary::~DynamicLibrary() {
    if (m_pHandle != nullptr) {
        dlclose(m_pHandle);
    }
}

void* DynamicLibrary::symbol(const char* name) const {
    if (m_pHandle == nullptr || name == nullptr) {
        return nullptr;
    }
    return dlsym(m_pHandle, name);
}

} // namespace platform
