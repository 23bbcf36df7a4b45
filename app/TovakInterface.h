#pragma once

#include "net/TovakError.h"

#include <string>

// Wrapper of the framework service library libtovak.so, loaded at run time
// from the install folder. One process-wide instance, made before the
// application object; every part logs through it.
class TovakInterface {
public:
    // Loads <libraryFolder>libtovak.so (the program's own folder when
    // libraryFolder is empty) and binds all exports.
    TovakInterface(const char* applicationName, const std::string& libraryFolder);
    virtual ~TovakInterface();
    TovakInterface(const TovakInterface&) = delete;
    TovakInterface& operator=(const TovakInterface&) = delete;

    bool isLoaded() const;
    // The library's answer, asked once per process and kept.
    bool isLogging();
    // Passes "<application name>: <text>" to the library's log.
    void logMessage(const std::string& text);
    bool connectedToInternet();
    // The response text, or empty with the error record filled.
    std::string queryUrl(const std::string& url, LPTOVAKERROR errorRecord);

private:
    struct Impl;
    Impl* m_pImpl;
};

// The process-wide instance; null only in tests that run without one.
extern TovakInterface* g_pTovakInterface;
