#include "app/io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/codec.h"
#include "app/safe_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

using lines_t = std::vector<std::wstring>;

std::string le(const wchar_t* s) { return utf16le_from_wide(s); }

class IoTest : public ::testing::Test {
protected:
    temp_dir_t t;
    std::wstring at(const char* name) const { return wide_from_utf8(t.path(name)); }
    lines_t lines_of(const char* name) const {
        CZsFile f(at(name).c_str(), 0x14000, 64);
        lines_t r;
        for (Str line; f.get_line(line);) r.emplace_back(line.buf);
        return r;
    }
};

}  // namespace

TEST(ModeText, FollowsTheOpenFlags) {
    for (auto [flags, mode] :
         {std::pair{0x8000, L"rb"}, {0x8301, L"wb"}, {0x0300, L"w+t"}, {0x0100, L"a+t"}, {0x0001, L"at"},
          {0x0002, L"r+t"}, {0x40000, L"rt, ccs=UTF-8"}, {0x20301, L"wt, ccs=UTF-16LE"}, {0x50000, L"rt, ccs=UNICODE"}})
        EXPECT_STREQ(zs_mode_text(flags).buf, mode) << std::hex << flags;
}

TEST_F(IoTest, MissingFilesAndFoldersFailEveryOperation) {
    CZsFile f(at("none").c_str(), 0x8000, 64);
    EXPECT_EQ(f.file_size, -1);
    char b[4] = {};
    int n = 0;
    EXPECT_EQ(f.write(b, 1, 4) + f.read(b, 1, 4), 0);
    EXPECT_FALSE(f.is_open() || f.seek(0, 0) || f.put_str(L"x") || f.print_line(L"x"));
    EXPECT_LT(std::max(f.print(L"%d", 5), f.scan(L"%d", &n)), 0);
    EXPECT_FALSE(f.open(wide_from_utf8(t.root().string()).c_str(), 0x8000, 64));  // a folder is not a file
}

TEST_F(IoTest, BinaryBytesGoThroughUntranslated) {
    const std::string data("\x01\x0A\x0D\x00\xFF", 5);
    EXPECT_EQ(CZsFile(at("new.bin").c_str(), 0x8301, 64).write(data.data(), 5, 1), 1);
    EXPECT_EQ(t.read("new.bin"), data);
    CZsFile f(at("new.bin").c_str(), 0x8000, 64);
    EXPECT_EQ(f.file_size, 5);
    char back[8] = {};
    EXPECT_TRUE(f.seek(-4, 2));
    EXPECT_EQ(f.read(back, 1, 8), 4);
    EXPECT_EQ(std::string(back, 4), data.substr(1));
}

TEST_F(IoTest, WideTextIsWrittenAndAppendedWithMarkUtf16AndCrLf) {
    {
        CZsFile f(at("t.ini").c_str(), 0x14301, 64);
        EXPECT_TRUE(f.print_line(L"[%s]", L"Main"));
        EXPECT_EQ(f.print(L"%s=%d\n", Str(L"é\U0001F600"), -3), 6);
    }
    EXPECT_TRUE(CZsFile(at("t.ini").c_str(), 0x10001, 64).put_str(L"b\n"));  // "at, ccs=UNICODE"
    EXPECT_EQ(t.read("t.ini"), "\xFF\xFE" + le(L"[Main]\r\né\U0001F600=-3\r\nb\r\n"));
    EXPECT_EQ(lines_of("t.ini"), (lines_t{L"[Main]\n", L"é\U0001F600=-3\n", L"b\n"}));
}

TEST_F(IoTest, WideTextReadsEveryEncodingItMayFind) {
    const std::pair<const char*, std::string> rows[] = {
        {"UTF-8 with mark", "\xEF\xBB\xBFk=\xC3\xA9\r\nx\ry\n"}, {"UTF-8 without mark", "k=\xC3\xA9\r\nx\ry\n"},
        {"UTF-16LE with mark", "\xFF\xFE" + le(L"k=é\r\nx\ry\n")}, {"UTF-16LE without mark", le(L"k=é\r\nx\ry\n")},
    };
    for (const auto& [what, bytes] : rows) {
        t.file("in.txt", bytes);
        EXPECT_EQ(lines_of("in.txt"), (lines_t{L"k=é\n", L"x\ry\n"})) << what;  // a lone CR stays
    }
    // Damage decodes to replacements without losing the rest; an odd last byte too.
    t.file("bad8.txt", "a\xFF" "b\xE2\x82\n");
    EXPECT_EQ(lines_of("bad8.txt"), (lines_t{L"a\uFFFDb\uFFFD\n"}));
    t.file("bad16.txt", "\xFF\xFE" + le(L"a") + std::string("\x00\xD8", 2) + le(L"b") + "z");
    EXPECT_EQ(lines_of("bad16.txt"), (lines_t{L"a\uFFFDb"}));  // half a unit at the end is dropped
}

TEST_F(IoTest, LongLinesArriveInChunksAndSeekingToTheStartSkipsTheMark) {
    t.file("long.txt", "\xFF\xFE" + le((std::wstring(1500, L'x') + L"\r\nend").c_str()));
    EXPECT_EQ(lines_of("long.txt"), (lines_t{std::wstring(1023, L'x'), std::wstring(477, L'x') + L"\n", L"end"}));
    CZsFile f(at("long.txt").c_str(), 0x14000, 64);
    Str line;
    while (f.get_line(line)) {}
    ASSERT_TRUE(f.seek(0, 0));
    ASSERT_TRUE(f.get_line(line, 4));
    EXPECT_STREQ(line.buf, L"xxx");
}

TEST_F(IoTest, ScanReadsNumbersAndWords) {
    t.file("s.txt", "\xFF\xFE" + le(L"  12 abc,-7\r\n x"));
    CZsFile f(at("s.txt").c_str(), 0x14000, 64);
    int a = 0;
    Str w;
    EXPECT_EQ(f.scan(L"%d %s", &a, &w), 2);
    EXPECT_EQ(a, 12);
    EXPECT_STREQ(w.buf, L"abc,-7");
    EXPECT_EQ(f.scan(L"%d", &a), 0);  // "x" is no number and stays unread
    EXPECT_EQ(f.scan(L"%s", &w), 1);
    EXPECT_STREQ(w.buf, L"x");
    EXPECT_EQ(f.scan(L"%d", &a), -1);
}

TEST_F(IoTest, StringRecordsRoundTripAsUtf16) {
    {
        CZsFile f(at("s.rec").c_str(), 0x8301, 64);
        EXPECT_TRUE(io_write_str(&f, L""));
        EXPECT_TRUE(io_write_str(&f, L"hé\U0001F600"));
    }
    // The smiley is a surrogate pair: four code units in all.
    EXPECT_EQ(t.read("s.rec"), std::string("\0\0\0\0\4\0\0\0", 8) + le(L"hé\U0001F600"));
    CZsFile f(at("s.rec").c_str(), 0x8000, 64);
    Str s(L"junk");
    EXPECT_TRUE(io_read_str(&f, s) && s.empty());
    EXPECT_TRUE(io_read_str(&f, s));
    EXPECT_STREQ(s.buf, L"hé\U0001F600");
}

TEST_F(IoTest, DamagedStringRecordsAreRefused) {
    const std::pair<const char*, std::string> rows[] = {
        {"empty file", ""}, {"truncated count", std::string("\x02\x00", 2)},
        {"negative count", std::string("\xFF\xFF\xFF\xFF", 4) + le(L"ab")},
        {"huge count", std::string("\xFF\xFF\xFF\x7F", 4) + le(L"ab")},
        {"truncated body", std::string("\x02\x00\x00\x00", 4) + "a\0b"},
    };
    for (const auto& [what, bytes] : rows) {
        t.file("bad.rec", bytes);
        CZsFile f(at("bad.rec").c_str(), 0x8000, 64);
        Str s(L"stale");
        EXPECT_FALSE(io_read_str(&f, s)) << what;
        EXPECT_STREQ(s.buf, L"") << what;
    }
    Str s;
    EXPECT_FALSE(io_read_str(nullptr, s) || io_write_str(nullptr, L"x"));
}

TEST_F(IoTest, OnlyRegularFilesOpenAndNothingBlocks) {
    alarm(60);  // an open that blocks fails the test instead of hanging it
    const std::string fifo = t.path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (int flags : {0x8000, 0x8301, 0x14000, 0x14301, 0x0001}) {
        CZsFile f(at("fifo").c_str(), flags, 64);
        EXPECT_FALSE(f.is_open()) << std::hex << flags;
    }
    for (const wchar_t* dev : {L"/dev/zero", L"/dev/urandom", L"/dev/null"}) {
        CZsFile f(dev, 0x8000, 64);
        EXPECT_FALSE(f.is_open()) << dev;
    }
    t.file("real", "abc");
    CZsFile f(at("real").c_str(), 0x8000, 64);
    EXPECT_TRUE(f.is_open());
    EXPECT_EQ(f.file_size, 3);
    // A link to a device in place of a file: the device is not written either.
    fs::create_symlink("/dev/null", t.path("link"));
    CZsFile w(at("link").c_str(), 0x8301, 64);
    EXPECT_FALSE(w.is_open());
    alarm(0);
}

TEST_F(IoTest, WholeReadsAreBoundedByWhatIsRead) {
    std::string out;
    t.file("ten", std::string(10, 'x'));
    EXPECT_TRUE(read_whole_regular(at("ten").c_str(), 10, out));
    EXPECT_EQ(out, std::string(10, 'x'));
    EXPECT_FALSE(read_whole_regular(at("ten").c_str(), 9, out));
    EXPECT_TRUE(out.empty());
    // A file that says it is empty but reads on (as files under /proc do).
    EXPECT_FALSE(read_whole_regular(L"/proc/self/maps", 16, out));
    EXPECT_FALSE(read_whole_regular(L"/dev/zero", 1 << 20, out));
    EXPECT_FALSE(read_whole_regular(at("missing").c_str(), 10, out));
}
