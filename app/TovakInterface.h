#pragma once

#include "net/TovakError.h"

#include <string>

// Wrapper of the framework service library libtovak.so, loaded at run time
// from the install folder. One process-wide instance, made before the
// application object; every part logs through it.
//
// When the library loads but lacks one of the exports an operation needs,
// that operation answers as if the library were missing: isLogging and
// connectedToInternet are false, logMessage does nothing, and queryUrl (which
// needs QueryUrl and GetQueryUrlResponse) returns empty with error code 2.
// The other operations keep working.
class TovakInterface {
public:
    // Loads <libraryFolder>libtovak.so (the program's own folder when
    // libraryFolder is empty) and binds all exports. A missing library or
    // missing exports are reported in a message box.
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
    // The response text, or empty with the error record filled (code 2 when
    // the library is not loaded). A response of size 0 is the empty string.
    std::string queryUrl(const std::string& url, LPTOVAKERROR errorRecord);

private:
    struct Impl;
    Impl* m_pImpl;
};

// The process-wide instance; null only in tests that run without one.
extern TovakInterface* g_pTovakInterface;
