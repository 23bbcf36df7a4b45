#pragma once

#include <string>

// Maps a request path below a root folder onto a file, refusing every way
// out of the folder: "..", "." and empty segments, hidden names, back
// slashes, NUL bytes and symbolic links anywhere on the way.
class StaticFiles {
public:
    explicit StaticFiles(std::string root) : m_csRoot(std::move(root)) {}

    // relative: the decoded path below the root, without a leading '/'.
    bool resolve(const std::string& relative, std::string& fullPath) const;

    static std::string contentType(const std::string& path);

private:
    std::string m_csRoot;
};
