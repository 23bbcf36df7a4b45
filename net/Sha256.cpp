#include "net/Sha256.h"

#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>

void Sha256::ContextFree::operator()(evp_md_ctx_st* pContext) const {
    EVP_MD_CTX_free(pContext);
}

Sha256::Sha256() : m_pContext(EVP_MD_CTX_new()) {
    m_bOk =
        m_pContext != nullptr && EVP_DigestInit_ex(m_pContext.get(), EVP_sha256(), nullptr) == 1;
}

Sha256::~Sha256() = default;
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;

bool Sha256::update(std::string_view bytes) {
    m_bOk = m_bOk && EVP_DigestUpdate(m_pContext.get(), bytes.data(), bytes.size()) == 1;
    return m_bOk;
}

std::string Sha256::finish() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int nLength = 0;
    const bool bOk = m_bOk && EVP_DigestFinal_ex(m_pContext.get(), digest, &nLength) == 1;
    m_bOk = false;
    if (!bOk) {
        return {};
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < nLength; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 0x0F];
    }
    return text;
}

std::string sha256OfFile(const std::string& csPath, std::string& csError) {
    UniqueFd fd(::open(csPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        csError = "cannot read " + csPath + ": " +
                  (fd ? std::string("not a regular file") : std::strerror(errno));
        return {};
    }
    Sha256 digest;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t nRead = ::read(fd.get(), buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR) {
            continue;
        }
        if (nRead < 0) {
            csError = "cannot read " + csPath + ": " + std::strerror(errno);
            return {};
        }
        if (nRead == 0) {
            break;
        }
        digest.update(std::string_view(buffer, static_cast<std::size_t>(nRead)));
    }
    std::string csDigest = digest.finish();
    if (csDigest.empty()) {
        csError = "the digest of " + csPath + " could not be computed";
    }
    return csDigest;
}

bool isSha256Hex(std::string_view text) {
    if (text.size() != 64) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

bool sameSha256(std::string_view a, std::string_view b) {
    if (!isSha256Hex(a) || !isSha256Hex(b)) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'F' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}
