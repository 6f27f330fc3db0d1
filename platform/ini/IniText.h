#pragma once
// The text of one INI file held in memory in its own encoding, so that a write
// can splice a value in and leave every other byte as it was, even bytes that
// are not valid text. No file access here: IniFile.cpp reads and replaces files.

#include <QString>

#include <optional>
#include <string>

namespace vux::ini::detail {

enum class Encoding { Utf8, Utf8Bom, Utf16LeBom };

class IniText {
public:
    // A new, empty file: UTF-8 without BOM, CRLF line ends.
    IniText() = default;
    // The raw bytes of a file; the encoding is taken from its BOM.
    static IniText fromBytes(std::string bytes);

    // Value of the first matching key in the first matching section, trimmed
    // and without one pair of matching quotes; nullopt when absent.
    std::optional<QString> find(const QString& section, const QString& key) const;

    // Replaces or adds one key. The names must be valid (see isValidWrite).
    void set(const QString& section, const QString& key, const QString& value);

    std::string toBytes() const;
    Encoding encoding() const { return encoding_; }

    // Names and values that can be written without changing the file's
    // structure: no line breaks anywhere, a non-empty key without '=' that does
    // not start a comment or a section, a section name without ']'.
    static bool isValidWrite(const QString& section, const QString& key, const QString& value);

private:
    Encoding encoding_ = Encoding::Utf8;
    std::string utf8_;     // body of a UTF-8 file (without BOM)
    std::u16string utf16_; // body of a UTF-16LE file (without BOM)
    std::string oddTail_;  // a stray last byte of a UTF-16 file, kept as is
};

} // namespace vux::ini::detail
