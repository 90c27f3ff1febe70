#pragma once

// Ini files: "[SECTION]" lines and "KEY=value" lines under them, CR LF, LF or CR line ends, a
// UTF-8 byte-order mark before the first line skipped (and kept). Section and key names compare
// without case; values are cp1251 bytes as they stand, trimmed of blanks.
// The file is read once when the object is made; writes change the text in memory and
// UpdateFile puts it on disk, keeping the other sections, the key order, comments and blank
// lines as they were.

#include "ColorValue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A whole number written in decimal or in "$" or "0x" hexadecimal (within 32 bits; hexadecimal
// gives the bits, so "$FFFFFFFF" is -1), with an optional sign. False for anything else.
bool ParseIniInteger(std::string_view text, int32_t& value);

// A value read from an ini file that lay outside what its field holds, and the range it was
// held to.
struct TIniClamp {
    std::string Section;
    std::string Key;
    int32_t Value = 0;
    int32_t Min = 0;
    int32_t Max = 0;
};

class TIniFile;

// The whole number of a key, held to min..max (def, unchecked, when the key is missing or its
// value malformed); a value held is noted in clamps.
int32_t ReadIniInRange(const TIniFile& ini, std::string_view section, std::string_view key, int32_t def, int32_t min,
                       int32_t max, std::vector<TIniClamp>& clamps);
// The colour model of a key (ColorModelOf; RGB when the key is missing or its value malformed); a
// value other than 0 and 1 is noted in clamps as held to RGB.
TColorModel ReadIniColorModel(const TIniFile& ini, std::string_view section, std::string_view key,
                              std::vector<TIniClamp>& clamps);

class TIniFile {
public:
    // Reads fileName when it is there; a missing file is an empty ini. A file that is there but is
    // not a regular file, is larger than MaxFileSize or cannot be read leaves the ini empty and
    // Failed set.
    explicit TIniFile(std::string fileName);

    static constexpr std::size_t MaxFileSize = 64u << 20;

    const std::string& FileName() const { return mFileName; }
    bool Failed() const { return mFailed; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // The key names of the section, in file order (empty for a missing section).
    std::vector<std::string> ReadSection(std::string_view section) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // def when the key is missing or its value is not a whole number.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Integers: 0 false, anything else true; def when missing or malformed.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Sets the key (appended to its section, the section to the file, when new). False, changing
    // nothing, when a name or the value holds a line break: it would inject lines.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file as it would be written.
    std::string Text() const;
    // Writes Text() to FileName through a new file swapped in whole; false on any error, leaving the
    // old file as it was.
    bool UpdateFile() const;

private:
    struct Line {
        std::string Key;    // empty for a comment, blank or other line
        std::string Value;
        std::string Raw;    // the line as read
        bool Written = false;  // Key=Value replaces Raw
    };
    struct Section {
        std::string Name;
        std::string Raw;    // the header line as read; empty for a new section
        std::vector<Line> Lines;
    };

    template <typename Self>
    static auto* FindSection(Self& self, std::string_view section);
    template <typename Self>
    static auto* FindLine(Self& self, std::string_view section, std::string_view key);
    void Parse(std::string_view text);

    static constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

    std::string mFileName;
    bool mFailed = false;
    bool mBom = false;
    std::string_view mLineEnd = "\r\n";  // that of the file read, CR LF for a new one
    std::vector<std::string> mPrelude;  // lines before the first section
    std::vector<Section> mSections;
};
