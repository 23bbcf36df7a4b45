#include "services/StaticFiles.h"

#include <sstream>
#include <sys/stat.h>
#include <vector>

bool StaticFiles::resolve(const std::string& relative, std::string& fullPath) const {
    if (m_csRoot.empty() || relative.empty() || relative.size() > 1024 || relative[0] == '/' ||
        relative.find('\\') != std::string::npos || relative.find('\0') != std::string::npos) {
        return false;
    }
    std::vector<std::string> segments;
    std::string segment;
    std::istringstream in(relative);
    while (std::getline(in, segment, '/')) {
        if (segment.empty() || segment[0] == '.') {
            return false; // also "." and ".."
        }
        segments.push_back(segment);
    }
    if (segments.empty() || relative.back() == '/') {
        return false;
    }
    std::string path = m_csRoot;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    for (std::size_t i = 0; i < segments.size(); ++i) {
        path += "/" + segments[i];
        if (lstat(path.c_str(), &info) != 0 || S_ISLNK(info.st_mode)) {
            return false;
        }
        const bool last = i + 1 == segments.size();
        if (last ? !S_ISREG(info.st_mode) : !S_ISDIR(info.st_mode)) {
            return false;
        }
    }
    fullPath = path;
    return true;
}

std::string StaticFiles::contentType(const std::string& path) {
    const auto dot = path.rfind('.');
    const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    if (ext == "html" || ext == "htm") {
        return "text/html; charset=utf-8";
    }
    if (ext == "css") {
        return "text/css";
    }
    if (ext == "png") {
        return "image/png";
    }
    if (ext == "jpg" || ext == "jpeg") {
        return "image/jpeg";
    }
    if (ext == "bmp") {
        return "image/bmp";
    }
    if (ext == "xml") {
        return "application/xml";
    }
    return "application/octet-stream";
}
