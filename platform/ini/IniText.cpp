#include "platform/ini/IniText.h"

#include <QStringView>

#include <cstddef>
#include <cstring>
#include <utility>

namespace vux::ini::detail {

namespace {

// A name to look for, prepared once per lookup so that the usual all-ASCII
// names compare without decoding or allocating anything per line.
struct Target {
    QString text;
    bool ascii = true;
    std::u16string lower; // ASCII-lowered, valid when ascii

    explicit Target(const QString& name) : text(name) {
        const QStringView trimmed = trimBlanks(QStringView(name));
        text = trimmed.toString();
        for (QChar c : trimmed) {
            const char16_t u = c.unicode();
            if (u >= 0x80)
                ascii = false;
            lower.push_back(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u);
        }
    }

    static QStringView trimBlanks(QStringView s) {
        qsizetype b = 0, e = s.size();
        while (b < e && (s[b] == u' ' || s[b] == u'\t'))
            ++b;
        while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t'))
            --e;
        return s.mid(b, e - b);
    }
};

template <class C> bool isBlank(C c) {
    return c == C(' ') || c == C('\t');
}

template <class C> QString toQString(const C* p, std::size_t n);

template <> QString toQString<char>(const char* p, std::size_t n) {
    return QString::fromUtf8(p, qsizetype(n));
}

template <> QString toQString<char16_t>(const char16_t* p, std::size_t n) {
    return QString(reinterpret_cast<const QChar*>(p), qsizetype(n));
}

template <class C> std::basic_string<C> fromQString(const QString& s);

template <> std::string fromQString<char>(const QString& s) {
    return s.toStdString();
}

template <> std::u16string fromQString<char16_t>(const QString& s) {
    return s.toStdU16String();
}

// Case-insensitive comparison as Unicode simple case folding defines it.
template <class C>
bool nameMatches(const std::basic_string<C>& str, std::size_t b, std::size_t e, const Target& t) {
    const C* s = str.data();
    bool sliceAscii = true;
    for (std::size_t i = b; i < e; ++i) {
        if (static_cast<std::make_unsigned_t<C>>(s[i]) >= 0x80) {
            sliceAscii = false;
            break;
        }
    }
    if (sliceAscii && t.ascii) {
        if (e - b != t.lower.size())
            return false;
        for (std::size_t i = b; i < e; ++i) {
            char16_t u = char16_t(static_cast<std::make_unsigned_t<C>>(s[i]));
            if (u >= 'A' && u <= 'Z')
                u = char16_t(u + 32);
            if (u != t.lower[i - b])
                return false;
        }
        return true;
    }
    // Non-ASCII letters (and the few that fold to ASCII, such as the Kelvin sign).
    return QString::compare(toQString(s + b, e - b), t.text, Qt::CaseInsensitive) == 0;
}

enum class LineKind { Blank, Comment, Section, Entry, NoValue };

struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0; // before the line end
    std::size_t end = 0;        // after the line end
    LineKind kind = LineKind::Blank;
    std::size_t nameBegin = 0, nameEnd = 0;   // section or key name, trimmed
    std::size_t valueBegin = 0, valueEnd = 0; // value, trimmed (Entry only)
    std::size_t afterEquals = 0;              // first unit after '=' (Entry only)
};

template <class C> void trim(const std::basic_string<C>& s, std::size_t& b, std::size_t& e) {
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
}

inline std::size_t findUnit(const char* s, std::size_t from, std::size_t n, char c) {
    const void* hit = std::memchr(s + from, c, n - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - s) : n;
}

inline std::size_t findUnit(const char16_t* s, std::size_t from, std::size_t n, char16_t c) {
    while (from < n && s[from] != c)
        ++from;
    return from;
}

// Finds line ends for a pass from the start to the end of a text. The next CR
// and the next LF are each searched once and remembered, so a file with only
// one kind of line end costs one scan, not one per line.
template <class C> class LineEnds {
public:
    explicit LineEnds(const std::basic_string<C>& s) : s_(s.data()), n_(s.size()) {}
    std::size_t contentEnd(std::size_t pos) {
        if (nextCr_ < pos || !crKnown_) {
            nextCr_ = findUnit(s_, pos, n_, C('\r'));
            crKnown_ = true;
        }
        if (nextLf_ < pos || !lfKnown_) {
            nextLf_ = findUnit(s_, pos, n_, C('\n'));
            lfKnown_ = true;
        }
        return nextCr_ < nextLf_ ? nextCr_ : nextLf_;
    }

private:
    const C* s_;
    std::size_t n_;
    std::size_t nextCr_ = 0, nextLf_ = 0;
    bool crKnown_ = false, lfKnown_ = false;
};

template <class C>
Line parseLine(const std::basic_string<C>& str, std::size_t pos, LineEnds<C>& ends,
               bool wantEntry = true) {
    // Raw pointers: this loop runs over every unit of a file on each lookup.
    const C* s = str.data();
    const std::size_t n = str.size();
    Line line;
    line.begin = pos;
    const std::size_t ce = ends.contentEnd(pos);
    line.contentEnd = ce;
    if (ce == n)
        line.end = n;
    else if (s[ce] == C('\r') && ce + 1 < n && s[ce + 1] == C('\n'))
        line.end = ce + 2;
    else
        line.end = ce + 1;

    std::size_t i = pos;
    while (i < ce && isBlank(s[i]))
        ++i;
    if (i == ce)
        return line;
    if (s[i] == C(';')) {
        line.kind = LineKind::Comment;
        return line;
    }
    if (s[i] == C('[')) {
        for (std::size_t j = i + 1; j < ce; ++j) {
            if (s[j] == C(']')) {
                line.kind = LineKind::Section;
                line.nameBegin = i + 1;
                line.nameEnd = j;
                trim(str, line.nameBegin, line.nameEnd);
                return line;
            }
        }
        // Without its ']' the line is no section header.
    }
    if (!wantEntry) {
        line.kind = LineKind::NoValue; // a key line the caller has no use for
        return line;
    }
    std::size_t eq = i;
    while (eq < ce && s[eq] != C('='))
        ++eq;
    if (eq == ce) {
        line.kind = LineKind::NoValue;
        return line;
    }
    line.kind = LineKind::Entry;
    line.nameBegin = i;
    line.nameEnd = eq;
    trim(str, line.nameBegin, line.nameEnd);
    line.afterEquals = eq + 1;
    line.valueBegin = eq + 1;
    line.valueEnd = ce;
    trim(str, line.valueBegin, line.valueEnd);
    return line;
}

template <class C>
std::optional<QString> findIn(const std::basic_string<C>& s, const Target& section,
                              const Target& key) {
    bool inSection = false;
    LineEnds<C> ends(s);
    for (std::size_t pos = 0; pos < s.size();) {
        const Line line = parseLine(s, pos, ends, inSection);
        pos = line.end;
        if (line.kind == LineKind::Section) {
            if (inSection)
                return std::nullopt; // only the first matching section counts
            inSection = nameMatches(s, line.nameBegin, line.nameEnd, section);
        } else if (inSection && line.kind == LineKind::Entry &&
                   nameMatches(s, line.nameBegin, line.nameEnd, key)) {
            std::size_t b = line.valueBegin, e = line.valueEnd;
            if (e - b >= 2 && s[b] == s[e - 1] && (s[b] == C('"') || s[b] == C('\''))) {
                ++b;
                --e;
            }
            return toQString(s.data() + b, e - b);
        }
    }
    return std::nullopt;
}

// The line end a write uses: the file's first one, CRLF when it has none.
template <class C> std::basic_string<C> lineEndOf(const std::basic_string<C>& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == C('\n'))
            return {C('\n')};
        if (s[i] == C('\r')) {
            if (i + 1 < s.size() && s[i + 1] == C('\n'))
                return {C('\r'), C('\n')};
            return {C('\r')};
        }
    }
    return {C('\r'), C('\n')};
}

template <class C>
void setIn(std::basic_string<C>& s, const Target& section, const Target& key,
           const QString& keyText, const QString& value) {
    const std::basic_string<C> eol = lineEndOf(s);
    const std::basic_string<C> newValue = fromQString<C>(value);

    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = 0;     // after the last key line of the section (or its header)
    bool insertHasLineEnd = true; // that line ends with a line end
    LineEnds<C> ends(s);
    for (std::size_t pos = 0; pos < s.size();) {
        const Line line = parseLine(s, pos, ends);
        pos = line.end;
        if (line.kind == LineKind::Section) {
            if (inSection)
                break;
            if (nameMatches(s, line.nameBegin, line.nameEnd, section)) {
                inSection = sectionFound = true;
                insertAt = line.end;
                insertHasLineEnd = line.end > line.contentEnd;
            }
        } else if (inSection && line.kind == LineKind::Entry) {
            if (nameMatches(s, line.nameBegin, line.nameEnd, key)) {
                // Keep the key, the '=' and the blanks after it exactly as they are.
                std::size_t b = line.afterEquals;
                while (b < line.contentEnd && isBlank(s[b]))
                    ++b;
                s.replace(b, line.contentEnd - b, newValue);
                return;
            }
            insertAt = line.end;
            insertHasLineEnd = line.end > line.contentEnd;
        }
    }

    const std::basic_string<C> keyLine = fromQString<C>(keyText) + C('=') + newValue;
    if (sectionFound) {
        if (insertHasLineEnd)
            s.insert(insertAt, keyLine + eol);
        else
            s.insert(insertAt, eol + keyLine);
        return;
    }
    std::basic_string<C> block;
    if (!s.empty() && s.back() != C('\n') && s.back() != C('\r'))
        block += eol;
    block += C('[');
    block += fromQString<C>(section.text);
    block += C(']');
    block += eol;
    block += keyLine;
    block += eol;
    s += block;
}

} // namespace

IniText IniText::fromBytes(std::string bytes) {
    IniText text;
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE) {
        text.encoding_ = Encoding::Utf16LeBom;
        const std::size_t units = (bytes.size() - 2) / 2;
        text.utf16_.resize(units);
        for (std::size_t i = 0; i < units; ++i)
            text.utf16_[i] = char16_t(byteAt(2 + 2 * i) | (byteAt(3 + 2 * i) << 8));
        if ((bytes.size() - 2) % 2 != 0)
            text.oddTail_ = bytes.substr(bytes.size() - 1);
    } else if (bytes.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF) {
        text.encoding_ = Encoding::Utf8Bom;
        bytes.erase(0, 3);
        text.utf8_ = std::move(bytes);
    } else {
        text.encoding_ = Encoding::Utf8;
        text.utf8_ = std::move(bytes);
    }
    return text;
}

std::optional<QString> IniText::find(const QString& section, const QString& key) const {
    const Target s(section), k(key);
    if (encoding_ == Encoding::Utf16LeBom)
        return findIn(utf16_, s, k);
    return findIn(utf8_, s, k);
}

void IniText::set(const QString& section, const QString& key, const QString& value) {
    const Target s(section), k(key);
    if (encoding_ == Encoding::Utf16LeBom)
        setIn(utf16_, s, k, k.text, value);
    else
        setIn(utf8_, s, k, k.text, value);
}

std::string IniText::toBytes() const {
    std::string out;
    switch (encoding_) {
    case Encoding::Utf16LeBom:
        out.reserve(2 + utf16_.size() * 2 + oddTail_.size());
        out += "\xFF\xFE";
        for (char16_t u : utf16_) {
            out += char(u & 0xFF);
            out += char(u >> 8);
        }
        out += oddTail_;
        break;
    case Encoding::Utf8Bom:
        out = "\xEF\xBB\xBF" + utf8_;
        break;
    case Encoding::Utf8:
        out = utf8_;
        break;
    }
    return out;
}

bool IniText::isValidWrite(const QString& section, const QString& key, const QString& value) {
    const auto hasLineBreak = [](const QString& s) {
        return s.contains(u'\r') || s.contains(u'\n');
    };
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    const QString k = Target(key).text;
    if (k.isEmpty() || k.contains(u'=') || k.startsWith(u';') || k.startsWith(u'['))
        return false;
    return !section.contains(u']');
}

} // namespace vux::ini::detail
