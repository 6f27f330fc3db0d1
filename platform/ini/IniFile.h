#pragma once
// Private-profile INI files: read and written one key at a time, with no
// caching, so every read sees the file as it is on disk now.
//
// Reading: section and key names match without regard to case (Unicode simple
// case folding) after trimming blanks and tabs; only the first matching section
// is searched and its first matching key wins; lines split at the first '=';
// lines starting with ';' are comments, lines without '=' never match, lines
// before the first section belong to none; CR, LF and CRLF all end lines. A
// missing or unreadable file (or a directory, FIFO...), section or key reads as
// empty text. A value is trimmed, loses one pair
// of matching quotes, and is cut to bufferSize - 1 UTF-16 units (bufferSize
// counts the terminator, as the callers' buffers do).
//
// Writing: an existing key's value is replaced in place, a new key goes after
// the last key line of its section, a new section goes at the end of the file.
// Every other byte stays as it was. Each write replaces the file atomically and
// keeps its encoding (UTF-8 with or without BOM, UTF-16LE with BOM), its line
// ends, its permissions and (when root writes) its owner; a new file is UTF-8
// without BOM with CRLF and the process's umask. A write through a symbolic
// link replaces the file it points to. Writers of one folder take turns (a
// flock on the folder), so concurrent read-modify-write cycles lose nothing.
// A name or value that would change the file's structure (a line break, a key
// with '=' or starting with ';' or '[', a section with ']', an empty key) is
// refused and the write returns false.

#include <QString>

#include <memory>
#include <vector>

namespace vux::ini {

namespace detail {
class IniText;
}

QString readString(const QString& file, const QString& section, const QString& key, int bufferSize);

// Returns false when the file could not be replaced; the old file is then untouched.
bool writeString(const QString& file, const QString& section, const QString& key,
                 const QString& value);

// Several key writes applied as one replacement of the file: all or none.
class WriteBatch {
public:
    void set(const QString& section, const QString& key, const QString& value);
    bool commit(const QString& file) const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    std::vector<Entry> entries_;
};

// A file read once, so that several keys come from one version of it even while
// another writer replaces it. Reads behave as readString does on that version.
class FileSnapshot {
public:
    explicit FileSnapshot(const QString& file);
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    QString readString(const QString& section, const QString& key, int bufferSize) const;

private:
    std::unique_ptr<detail::IniText> text_; // null when the file could not be read
};

// Decimal text to int as the C runtime's _wtoi reads it: leading blanks, an
// optional sign, digits up to the first other character; empty or non-numeric
// text gives 0. Values beyond the int range saturate instead of overflowing.
int wtoi(const QString& text);

} // namespace vux::ini
