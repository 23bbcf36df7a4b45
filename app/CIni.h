#pragma once

#include <string>
#include <vector>

// One INI file, read and written with the rules of Windows profile files:
// section and key names are case-insensitive, values are single lines whose
// surrounding blanks are not kept, and the file is opened afresh by every call.
// A NUL byte in the file reads as a blank, and a section header without its
// closing ']' as if it had one at the end of its line.
//
// Names and values are made safe before they reach the file, so that no text
// can add lines of its own:
//  - a line break (CR or LF) in a value becomes a blank;
//  - in a section name, a line break or ']' becomes '_';
//  - in a key name, a line break or '=' becomes '_', and so does a leading
//    ';', '#' or '[' (which would turn the line into a comment or a section);
//  - blanks around section and key names are dropped.
// Reads apply the same mapping to names, so such a key still reads back what
// was written under it.
//
// A write replaces the file as a whole: the new content goes to a temporary
// file in the same folder, is flushed to disk and renamed over the old one,
// so a crash never leaves a half-written file, and the next writer removes
// the temporary file a crashed one left. Writers of the same file in any
// process take turns on a named lock around their read-modify-write, so no
// writer loses another's keys; a writer that does not get the lock within
// 5 seconds writes nothing and fails. Readers need no lock: they see the old
// or the new file, never a mix. Comments stay where they are, also one at
// the end of the file.
class CIni {
public:
    CIni() = default;
    explicit CIni(const char* pathName) { SetPathName(pathName); }

    // A null path clears the path to empty.
    void SetPathName(const char* pathName);
    const std::string& GetPathName() const { return m_csPathName; }

    // The stored text, or defaultValue when the file, section or key is
    // missing or section or key is null. A null default reads as "".
    std::string GetString(const char* section, const char* key, const char* defaultValue) const;
    // The first 64 characters of the stored text converted like strtoul()
    // with a 32-bit unsigned long: bases 2, 8 and 16 are honoured, any other
    // means 10. Text without digits reads as 0; missing or empty text gives
    // defaultValue.
    int GetInt(const char* section, const char* key, int defaultValue, int base = 10) const;

    // Stores value (null as empty). False when nothing was written: a null
    // section or key, no path, a file that cannot be read or replaced, or
    // the lock not had in time.
    bool WriteString(const char* section, const char* key, const char* value);
    // Base 10 as "%d", 2 as binary digits, 8 as "%o", 16 as "%X"; the last
    // three of the value's 32-bit pattern. Other bases mean 10.
    bool WriteInt(const char* section, const char* key, int value, int base = 10);

    // The section's key names in file order; empty when the file, section
    // or name is missing.
    std::vector<std::string> GetKeyNames(const char* section) const;
    // Removes the section with all its keys. True when it is gone, also when
    // it was never there; false when the file could not be read or replaced.
    bool DeleteSection(const char* section);

private:
    std::string m_csPathName;
};

// The text stored for an integer (the writing rule of CIni::WriteInt).
std::string formatIniInt(int value, int base);
// The integer read from stored text (the reading rule of CIni::GetInt),
// without the empty-text default.
int parseIniInt(const std::string& text, int base);
