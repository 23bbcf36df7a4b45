#pragma once

#include <string>
#include <wx/string.h>

// The program's narrow strings are UTF-8. Bytes that are not (text from an
// older file or a careless server) are read as Latin-1 rather than lost.
wxString toWxString(const std::string& text);
std::string fromWxString(const wxString& text);
