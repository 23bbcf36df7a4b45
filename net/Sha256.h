#pragma once

#include <memory>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

// SHA-256 over bytes given in pieces, by OpenSSL's libcrypto (which libcurl
// and libzip already bring into the process).
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(Sha256&&) noexcept;
    Sha256& operator=(Sha256&&) noexcept;

    // False once the library failed; the digest is then empty.
    bool update(std::string_view bytes);
    // The digest as 64 lower-case hexadecimal digits; empty on failure. The
    // object takes no more bytes afterwards.
    std::string finish();

private:
    struct ContextFree {
        void operator()(evp_md_ctx_st* pContext) const;
    };
    std::unique_ptr<evp_md_ctx_st, ContextFree> m_pContext;
    bool m_bOk = false;
};

// The digest of a whole file, read in pieces; empty with csError set when
// the file cannot be read.
std::string sha256OfFile(const std::string& csPath, std::string& csError);

// Whether text is a SHA-256 digest in hexadecimal (64 digits, either case).
bool isSha256Hex(std::string_view text);

// Whether two hexadecimal digests are the same, whatever their letter case.
bool sameSha256(std::string_view a, std::string_view b);
