#include "platform/ini/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vux::ini {
namespace {

std::string fileBytes(const QString& path) {
    std::ifstream in(QFile::encodeName(path).constData(), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

void putBytes(const QString& path, const std::string& bytes) {
    std::ofstream out(QFile::encodeName(path).constData(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// A UTF-16LE file with BOM holding the given text.
std::string utf16File(const QString& text) {
    std::string out = "\xFF\xFE";
    for (QChar c : text) {
        out += char(c.unicode() & 0xFF);
        out += char(c.unicode() >> 8);
    }
    return out;
}

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QStringList leftovers(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class IniTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("config.ini"); }
};

// ---- reading ---------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string file;
    QString section;
    QString key;
    int buffer;
    QString expected;
};

class IniRead : public IniTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(IniRead, ReadsValue) {
    const ReadCase& c = GetParam();
    putBytes(path(), c.file);
    EXPECT_EQ(readString(path(), c.section, c.key, c.buffer), c.expected);
}

const ReadCase readCases[] = {
    {"PlainValue", "[Init]\r\nCurConfig=3\r\n", "Init", "CurConfig", 5, "3"},
    {"SectionAndKeyIgnoreCase", "[config1]\r\nk1=5\r\n", "Config1", "K1", 5, "5"},
    {"NonAsciiNamesIgnoreCase", "[ÜBER]\nprofil=1\n[профиль]\nклавиша=2\n", "профиль", "КЛАВИША", 5,
     "2"},
    {"NonAsciiSectionUpperLower", "[ÜBER]\nprofil=1\n", "über", "PROFIL", 5, "1"},
    {"NamesTrimmed", "[ \tA \t]\n \t k \t = 1\n", " A", "k\t", 5, "1"},
    {"TextAfterBracketIgnored", "[A] trailing\nk=1\n", "A", "k", 5, "1"},
    {"FirstSectionWins", "[A]\nk=1\n[a]\nk=2\n", "A", "k", 5, "1"},
    {"OnlyFirstSectionSearched", "[A]\nk=1\n[a]\nj=2\n", "A", "j", 5, ""},
    {"FirstKeyWins", "[A]\nk=1\nK=2\n", "A", "k", 5, "1"},
    {"SplitAtFirstEquals", "[A]\nk=a=b\n", "A", "k", 10, "a=b"},
    {"ValueTrimmed", "[A]\nk= \t v v \t \n", "A", "k", 10, "v v"},
    {"DoubleQuotesStripped", "[A]\nk=\" a b \"\n", "A", "k", 10, " a b "},
    {"SingleQuotesStripped", "[A]\nk='ab'\n", "A", "k", 10, "ab"},
    {"UnmatchedQuotesKept", "[A]\nk=\"ab'\n", "A", "k", 10, "\"ab'"},
    {"LoneQuoteKept", "[A]\nk=\"\n", "A", "k", 10, "\""},
    {"EmptyQuotes", "[A]\nk=\"\"\n", "A", "k", 10, ""},
    {"QuotesStrippedBeforeTruncation", "[A]\nk=\"12345\"\n", "A", "k", 5, "1234"},
    {"LineWithoutEqualsNeverMatches", "[A]\nk\nk=2\n", "A", "k", 5, "2"},
    {"CommentSkipped", "[A]\n;k=1\n \t;k=3\nk=2\n", "A", "k", 5, "2"},
    {"LinesBeforeFirstSectionBelongNowhere", "k=1\n[A]\nk=2\n", "A", "k", 5, "2"},
    {"NoSectionNameReachesHeaderlessLines", "k=1\n[A]\n", "", "k", 5, ""},
    {"SectionWithoutBracketIsNoSection", "[A\nk=1\n", "A", "k", 5, ""},
    {"LfLineEnds", "[A]\nk=1\nj=2\n", "A", "j", 5, "2"},
    {"CrLineEnds", "[A]\rk=1\rj=2\r", "A", "j", 5, "2"},
    {"CrLfLineEnds", "[A]\r\nk=1\r\nj=2\r\n", "A", "j", 5, "2"},
    {"MixedLineEnds", "[A]\rk=1\nj=2\r\n[B]\rx=3", "B", "x", 5, "3"},
    {"TruncatedToBufferMinusOne", "[Config1]\r\nK1=12345\r\n", "Config1", "K1", 5, "1234"},
    {"BufferOfTen", "[Config1]\r\nDPI_SET1=1234567890123\r\n", "Config1", "DPI_SET1", 10,
     "123456789"},
    {"BufferOfOneIsEmpty", "[A]\nk=1\n", "A", "k", 1, ""},
    {"BufferOfZeroIsEmpty", "[A]\nk=1\n", "A", "k", 0, ""},
    {"NegativeBufferIsEmpty", "[A]\nk=1\n", "A", "k", -3, ""},
    {"TruncationCountsUtf16Units", "[A]\nk=中文字符\n", "A", "k", 3, "中文"},
    {"MissingSection", "[A]\nk=1\n", "B", "k", 5, ""},
    {"MissingKey", "[A]\nk=1\n", "A", "j", 5, ""},
    {"EmptyFile", "", "A", "k", 5, ""},
    {"Utf8Bom", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", 5, "1"},
    {"Utf8Value", "[A]\nname=宏编程\n", "A", "name", 260, "宏编程"},
    {"Utf16LeBom", utf16File("[配置]\r\n名字=中文测试\r\n"), "配置", "名字", 260, "中文测试"},
    {"Utf16LeOddTail", utf16File("[A]\r\nk=1\r\n") + "\x41", "A", "k", 5, "1"},
    {"InvalidUtf8BecomesReplacement",
     "[A]\nk=a\xff"
     "b\n",
     "A", "k", 10, "a\uFFFDb"},
    {"NulBytesAreText", std::string("[A]\nz=\0\nk=1\n", 12), "A", "k", 5, "1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniRead, ::testing::ValuesIn(readCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniTest, MissingFileReadsEmpty) {
    EXPECT_EQ(readString(dir.filePath("absent.ini"), "A", "k", 5), "");
    EXPECT_EQ(readString(dir.filePath("no/such/folder/x.ini"), "A", "k", 5), "");
}

TEST_F(IniTest, DirectoryAndFifoReadEmptyWithoutBlocking) {
    EXPECT_EQ(readString(dir.path(), "A", "k", 5), "");
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(readString(fifo, "A", "k", 5), "");
    EXPECT_FALSE(writeString(fifo, "A", "k", "1"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(IniTest, UnreadableFileReadsEmptyAndIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    putBytes(path(), "[A]\nk=1\n");
    ::chmod(QFile::encodeName(path()).constData(), 0);
    EXPECT_EQ(readString(path(), "A", "k", 5), "");
    EXPECT_FALSE(writeString(path(), "A", "k", "2"));
    ::chmod(QFile::encodeName(path()).constData(), 0600);
    EXPECT_EQ(fileBytes(path()), "[A]\nk=1\n");
}

TEST_F(IniTest, MillionCharacterLine) {
    const std::string longValue(1'000'000, 'x');
    putBytes(path(), "[A]\r\nk=" + longValue + "\r\nj=1\r\n");
    EXPECT_EQ(readString(path(), "A", "k", 3193), QString(3192, u'x'));
    EXPECT_EQ(readString(path(), "A", "j", 5), "1");
    ASSERT_TRUE(writeString(path(), "A", "j", "2"));
    EXPECT_EQ(fileBytes(path()), "[A]\r\nk=" + longValue + "\r\nj=2\r\n");
}

TEST_F(IniTest, BinaryFileNeverCrashesAndKeepsItsBytes) {
    std::mt19937 random(7);
    std::string junk(1 << 20, '\0');
    for (char& c : junk)
        c = char(random());
    putBytes(path(), junk);
    EXPECT_EQ(readString(path(), "Config1", "K1", 5), "");
    ASSERT_TRUE(writeString(path(), "Section_not_in_noise", "K1", "7"));
    const std::string after = fileBytes(path());
    EXPECT_EQ(after.substr(0, junk.size()), junk);
    EXPECT_EQ(readString(path(), "Section_not_in_noise", "K1", 5), "7");
}

TEST_F(IniTest, FiftyMegabyteFile) {
    std::string big;
    big.reserve(52u << 20);
    for (int i = 0; big.size() < (50u << 20); ++i)
        big += "[Section" + std::to_string(i) + "]\r\nkey=" + std::string(40, 'v') + "\r\n";
    big += "[Last]\r\nkey=found\r\n";
    putBytes(path(), big);
    EXPECT_EQ(readString(path(), "last", "KEY", 260), "found");
    ASSERT_TRUE(writeString(path(), "Last", "key", "changed"));
    const std::string after = fileBytes(path());
    EXPECT_EQ(after.size(), big.size() + 2);
    EXPECT_EQ(after.compare(0, big.size() - 7, big, 0, big.size() - 7), 0);
    EXPECT_EQ(readString(path(), "Last", "key", 260), "changed");
}

// ---- writing ---------------------------------------------------------------

struct WriteCase {
    const char* name;
    std::optional<std::string> before; // nullopt: no file
    QString section;
    QString key;
    QString value;
    std::string after;
};

class IniWrite : public IniTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(IniWrite, ProducesExactBytes) {
    const WriteCase& c = GetParam();
    if (c.before)
        putBytes(path(), *c.before);
    ASSERT_TRUE(writeString(path(), c.section, c.key, c.value));
    EXPECT_EQ(fileBytes(path()), c.after);
    EXPECT_EQ(readString(path(), c.section, c.key, 260), c.value);
}

const WriteCase writeCases[] = {
    {"NewFileIsUtf8CrLf", std::nullopt, "Config1", "K1", "5", "[Config1]\r\nK1=5\r\n"},
    {"EmptyFile", "", "Init", "VER_SEL", "1", "[Init]\r\nVER_SEL=1\r\n"},
    {"ReplaceInPlaceKeepsEverythingElse",
     "; profiles\r\n\r\n[Init]\r\nCurConfig=1\r\n\r\n; user profiles\r\n[Config1]\r\nK1=1\r\nK2 = "
     "2\r\n"
     "unknown=x\r\n\r\n",
     "Config1", "K2", "31",
     "; profiles\r\n\r\n[Init]\r\nCurConfig=1\r\n\r\n; user profiles\r\n[Config1]\r\nK1=1\r\nK2 = "
     "31\r\n"
     "unknown=x\r\n\r\n"},
    {"ReplaceLongerWithShorter", "[A]\nk=123456789 \t\nj=1\n", "A", "k", "7", "[A]\nk=7\nj=1\n"},
    {"ReplaceQuotedValue", "[A]\nk=\"old\"\n", "A", "k", "new", "[A]\nk=new\n"},
    {"AppendToSectionInTheMiddle",
     "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n; note on C\r\n\r\n[C]\r\nc=1\r\n", "B", "new", "2",
     "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\nnew=2\r\n; note on C\r\n\r\n[C]\r\nc=1\r\n"},
    {"AppendToSectionWithoutKeys", "[A]\n[B]\nb=1\n", "A", "a", "1", "[A]\na=1\n[B]\nb=1\n"},
    {"AppendAfterLastLineWithoutLineEnd", "[A]\nk=1", "A", "j", "2", "[A]\nk=1\nj=2"},
    {"AppendAfterHeaderWithoutLineEnd", "[A]", "A", "k", "1", "[A]\r\nk=1"},
    {"CommentedKeyIsNotReplaced", "[A]\n;k=1\n", "A", "k", "2", "[A]\nk=2\n;k=1\n"},
    {"NewSectionAtEnd", "[A]\r\nk=1\r\n", "B", "x", "1", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n"},
    {"NewSectionAfterMissingLineEnd", "[A]\nk=1", "B", "x", "1", "[A]\nk=1\n[B]\nx=1\n"},
    {"CrLineEndsKept", "[A]\rk=1\r", "A", "j", "2", "[A]\rk=1\rj=2\r"},
    {"CaseInsensitiveKeepsStoredCase", "[config1]\nk1=5\n", "Config1", "K1", "7",
     "[config1]\nk1=7\n"},
    {"NonAsciiCaseInsensitive", "[ÜBER]\nschlüssel=1\n", "über", "SCHLÜSSEL", "2",
     "[ÜBER]\nschlüssel=2\n"},
    {"FirstMatchingSectionGetsNewKey", "[A]\nk=1\n[a]\nj=1\n", "A", "j", "2",
     "[A]\nk=1\nj=2\n[a]\nj=1\n"},
    {"HeaderlessLinesUntouched", "k=1\n[A]\n", "A", "k", "2", "k=1\n[A]\nk=2\n"},
    {"Utf8BomKept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2", "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
    {"InvalidUtf8ElsewhereKept", "[A]\r\nbin=\xff\xfe\x80\r\nk=1\r\n", "A", "k", "2",
     "[A]\r\nbin=\xff\xfe\x80\r\nk=2\r\n"},
    {"NegativeNumber", "[A]\nk=1\n", "A", "k", "-12", "[A]\nk=-12\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniWrite, ::testing::ValuesIn(writeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniTest, Utf16RoundTripWithChineseText) {
    putBytes(path(), utf16File("; 配置\r\n[配置]\r\n名字=旧\r\n"));
    ASSERT_TRUE(writeString(path(), "配置", "名字", "中文测试"));
    ASSERT_TRUE(writeString(path(), "配置", "新键", "宏"));
    ASSERT_TRUE(writeString(path(), "新节", "键", "值"));
    EXPECT_EQ(fileBytes(path()),
              utf16File("; 配置\r\n[配置]\r\n名字=中文测试\r\n新键=宏\r\n[新节]\r\n键=值\r\n"));
    EXPECT_EQ(readString(path(), "配置", "名字", 260), "中文测试");
    EXPECT_EQ(readString(path(), "新节", "键", 260), "值");
}

TEST_F(IniTest, Utf16OddTailStaysLast) {
    putBytes(path(), utf16File("[A]\r\nk=1\r\n") + "\x41");
    ASSERT_TRUE(writeString(path(), "B", "x", "2"));
    EXPECT_EQ(fileBytes(path()), utf16File("[A]\r\nk=1\r\n[B]\r\nx=2\r\n") + "\x41");
}

TEST_F(IniTest, InvalidNamesAndValuesAreRefused) {
    putBytes(path(), "[A]\nk=1\n");
    EXPECT_FALSE(writeString(path(), "A", "", "1"));
    EXPECT_FALSE(writeString(path(), "A", " \t", "1"));
    EXPECT_FALSE(writeString(path(), "A", "a=b", "1"));
    EXPECT_FALSE(writeString(path(), "A", ";k", "1"));
    EXPECT_FALSE(writeString(path(), "A", "[k", "1"));
    EXPECT_FALSE(writeString(path(), "A", "k\nx", "1"));
    EXPECT_FALSE(writeString(path(), "A", "k", "1\r\n[B]"));
    EXPECT_FALSE(writeString(path(), "A]x", "k", "1"));
    EXPECT_FALSE(writeString(path(), "A\n", "k", "1"));
    EXPECT_EQ(fileBytes(path()), "[A]\nk=1\n");
    EXPECT_FALSE(writeString(dir.filePath("new.ini"), "A", "", "1"));
    EXPECT_FALSE(QFile::exists(dir.filePath("new.ini")));
}

TEST_F(IniTest, BatchWritesNewSectionInOrder) {
    putBytes(path(), "[Init]\r\nCurConfig=1\r\n");
    WriteBatch batch;
    batch.set("Config6", "K1", "1");
    batch.set("Config6", "DPI_LEVEL", "0");
    batch.set("Init", "CurConfig", "2");
    batch.set("Config6", "FIRE_TIME", "50");
    ASSERT_TRUE(batch.commit(path()));
    EXPECT_EQ(fileBytes(path()),
              "[Init]\r\nCurConfig=2\r\n[Config6]\r\nK1=1\r\nDPI_LEVEL=0\r\nFIRE_TIME=50\r\n");
}

TEST_F(IniTest, BatchIsAllOrNothing) {
    putBytes(path(), "[A]\nk=1\n");
    WriteBatch batch;
    batch.set("A", "k", "2");
    batch.set("A", "bad\nkey", "3");
    EXPECT_FALSE(batch.commit(path()));
    EXPECT_EQ(fileBytes(path()), "[A]\nk=1\n");
}

TEST_F(IniTest, EmptyBatchCreatesNothing) {
    EXPECT_TRUE(WriteBatch().commit(path()));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(IniTest, WriteReplacesFileAndSkipsUnchangedContent) {
    putBytes(path(), "[A]\r\nk=1\r\n");
    const ino_t original = inodeOf(path());
    ASSERT_TRUE(writeString(path(), "A", "k", "1"));
    EXPECT_EQ(inodeOf(path()), original) << "an unchanged file is left alone";
    ASSERT_TRUE(writeString(path(), "A", "k", "2"));
    EXPECT_NE(inodeOf(path()), original) << "a change replaces the file whole";
    EXPECT_EQ(leftovers(dir.path()), QStringList{"config.ini"});
}

TEST_F(IniTest, PermissionsKeptAndNewFilesFollowUmask) {
    putBytes(path(), "[A]\nk=1\n");
    ::chmod(QFile::encodeName(path()).constData(), 0640);
    ASSERT_TRUE(writeString(path(), "A", "k", "2"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const mode_t old = ::umask(027);
    const QString fresh = dir.filePath("fresh.ini");
    const bool written = writeString(fresh, "A", "k", "1");
    ::umask(old);
    ASSERT_TRUE(written);
    ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(IniTest, WriteThroughSymlinkKeepsTheLink) {
    const QString real = dir.filePath("real.ini");
    putBytes(real, "[A]\nk=1\n");
    ASSERT_TRUE(QFile::link(real, path()));
    ASSERT_TRUE(writeString(path(), "A", "k", "2"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(fileBytes(real), "[A]\nk=2\n");
}

TEST_F(IniTest, StaleTempFilesOfKilledWritersAreRemoved) {
    putBytes(path(), "[A]\nk=1\n");
    putBytes(dir.filePath(".config.ini.tmp-Ab12Cd"), "[A]\nk=");
    putBytes(dir.filePath("other.ini"), "");
    ASSERT_TRUE(writeString(path(), "A", "k", "2"));
    EXPECT_EQ(leftovers(dir.path()), (QStringList{"config.ini", "other.ini"}));
}

// ---- failures leave the old file untouched ---------------------------------

TEST_F(IniTest, PathThatIsADirectoryFails) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("config.ini"));
    EXPECT_FALSE(writeString(path(), "A", "k", "1"));
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_EQ(leftovers(dir.path()), QStringList{});
}

TEST_F(IniTest, FolderThatIsAFileFails) {
    putBytes(dir.filePath("folder"), "not a folder");
    EXPECT_FALSE(writeString(dir.filePath("folder/config.ini"), "A", "k", "1"));
    EXPECT_FALSE(writeString(dir.filePath("missing/config.ini"), "A", "k", "1"));
    EXPECT_EQ(fileBytes(dir.filePath("folder")), "not a folder");
}

TEST_F(IniTest, ReadOnlyFolderLeavesFileUntouched) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root; see FullDiskLeavesFileUntouched";
    putBytes(path(), "[A]\nk=1\n");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
    const bool written = writeString(path(), "A", "k", "2");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(path()), "[A]\nk=1\n");
}

// A file size limit makes the write of the temporary file fail as a full disk
// does, and it binds root too. It is set in a child so the test runner keeps
// its own limits.
TEST_F(IniTest, FullDiskLeavesFileUntouched) {
    const std::string before = "[A]\r\nk=1\r\n";
    putBytes(path(), before);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = writeString(path(), "A", "k", QString(10000, u'x'));
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must report failure";
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(leftovers(dir.path()), QStringList{"config.ini"});
}

// A writer killed at any moment leaves the old or a new file, never a torn
// one: every key of the section must carry the same generation.
TEST_F(IniTest, KilledWriterNeverLeavesTornFile) {
    constexpr int keys = 60;
    const auto generation = [](int g) { return QString("gen%1-").arg(g) + QString(6000, u'x'); };
    {
        WriteBatch first;
        for (int k = 0; k < keys; ++k)
            first.set("Profile", QString("K%1").arg(k), generation(0));
        ASSERT_TRUE(first.commit(path()));
    }
    for (int round = 0; round < 4; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            for (int g = 1;; ++g) {
                WriteBatch batch;
                for (int k = 0; k < keys; ++k)
                    batch.set("Profile", QString("K%1").arg(k), generation(round * 100000 + g));
                if (!batch.commit(path()))
                    ::_exit(1);
                if (g == 1 && ::write(pipeFds[1], "s", 1) != 1)
                    ::_exit(1);
            }
        }
        ::close(pipeFds[1]);
        char started = 0;
        ASSERT_EQ(::read(pipeFds[0], &started, 1), 1);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(pipeFds[0]);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QString value0 = readString(path(), "Profile", "K0", 8000);
        ASSERT_TRUE(value0.startsWith("gen")) << "round " << round;
        for (int k = 1; k < keys; ++k)
            ASSERT_EQ(readString(path(), "Profile", QString("K%1").arg(k), 8000), value0)
                << "round " << round << " key " << k;
    }
    ASSERT_TRUE(writeString(path(), "Profile", "K0", "done"));
    EXPECT_EQ(leftovers(dir.path()), QStringList{"config.ini"});
}

TEST_F(IniTest, ConcurrentWritersLoseNoUpdate) {
    constexpr int perThread = 25;
    const auto writer = [this](const QString& prefix) {
        for (int i = 0; i < perThread; ++i)
            writeString(path(), "S", prefix + QString::number(i), QString::number(i));
    };
    std::thread a(writer, QStringLiteral("a"));
    std::thread b(writer, QStringLiteral("b"));
    a.join();
    b.join();
    for (int i = 0; i < perThread; ++i) {
        EXPECT_EQ(readString(path(), "S", "a" + QString::number(i), 5), QString::number(i));
        EXPECT_EQ(readString(path(), "S", "b" + QString::number(i), 5), QString::number(i));
    }
}

// ---- decimal conversion ----------------------------------------------------

struct WtoiCase {
    const char* text;
    int expected;
};

class Wtoi : public ::testing::TestWithParam<WtoiCase> {};

TEST_P(Wtoi, Converts) {
    EXPECT_EQ(wtoi(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wtoi,
    ::testing::Values(WtoiCase{"", 0}, WtoiCase{"abc", 0}, WtoiCase{"42", 42},
                      WtoiCase{"  \t12", 12}, WtoiCase{"\r\n\v\f7", 7}, WtoiCase{"-7x", -7},
                      WtoiCase{"+5", 5}, WtoiCase{"- 5", 0}, WtoiCase{"+-5", 0},
                      WtoiCase{"12 34", 12}, WtoiCase{"0x10", 0}, WtoiCase{"007", 7},
                      WtoiCase{"2147483647", INT_MAX}, WtoiCase{"-2147483648", INT_MIN},
                      WtoiCase{"2147483648", INT_MAX}, WtoiCase{"-2147483649", INT_MIN},
                      WtoiCase{"99999999999999999999999", INT_MAX},
                      WtoiCase{"-99999999999999999999999", INT_MIN}, WtoiCase{"１２", 0}));

} // namespace
} // namespace vux::ini
