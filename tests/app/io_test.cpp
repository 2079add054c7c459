#include "app/io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/tmp_files.h"

namespace {

class IoTest : public tmp_files_test {
protected:
    std::vector<std::wstring> lines_of(const char* name, int flags = 0x14000) const {
        CZsFile f(at(name).c_str(), flags, 64);
        std::vector<std::wstring> r;
        Str line;
        while (f.get_line(line)) r.emplace_back(line.buf);
        return r;
    }
};

}  // namespace

TEST(ModeText, FollowsTheOpenFlags) {
    const struct {
        int flags;
        const wchar_t* mode;
    } rows[] = {
        {0x8000, L"rb"},
        {0x8301, L"wb"},
        {0x14000, L"rt, ccs=UNICODE"},
        {0x14301, L"wt, ccs=UNICODE"},
        {0x0300, L"w+t"},
        {0x0100, L"a+t"},
        {0x0001, L"at"},
        {0x0002, L"r+t"},
        {0x0000, L"rt"},
        {0x0008 | 0x4000, L"rt"},
        {0x40000, L"rt, ccs=UTF-8"},
        {0x20000 | 0x0301, L"wt, ccs=UTF-16LE"},
        {0x10000 | 0x40000, L"rt, ccs=UNICODE"},
    };
    for (const auto& r : rows) EXPECT_STREQ(zs_mode_text(r.flags).buf, r.mode) << std::hex << r.flags;
}

TEST_F(IoTest, MissingFileFailsAndEveryOperationReportsIt) {
    CZsFile f(at("none").c_str(), 0x8000, 64);
    EXPECT_EQ(f.fp, nullptr);
    EXPECT_EQ(f.file_size, -1);
    EXPECT_EQ(f.path, at("none").c_str());
    char b[4] = {};
    int n = 0;
    EXPECT_EQ(f.write(b, 1, 4), 0);
    EXPECT_EQ(f.read(b, 1, 4), 0);
    EXPECT_FALSE(f.seek(0, 0));
    EXPECT_FALSE(f.put_str(L"x"));
    EXPECT_LT(f.print(L"%d", 5), 0);
    EXPECT_LT(f.scan(L"%d", &n), 0);
    EXPECT_FALSE(f.print_line(L"x"));

    // A folder is not a file, although it exists.
    EXPECT_FALSE(f.open(dir.wstring().c_str(), 0x8000, 64));
    EXPECT_EQ(f.fp, nullptr);
}

TEST_F(IoTest, NewFileForWritingHasSizeZeroAndReopensWithItsSize) {
    {
        CZsFile f(at("new.bin").c_str(), 0x8301, 64);
        ASSERT_NE(f.fp, nullptr);
        EXPECT_EQ(f.file_size, 0);
        const char data[] = "\x01\x0A\x0D\x00\xFF";
        EXPECT_EQ(f.write(data, 5, 1), 1);
    }
    EXPECT_EQ(bytes_of("new.bin"), std::string("\x01\x0A\x0D\x00\xFF", 5));
    CZsFile f(at("new.bin").c_str(), 0x8000, 64);
    EXPECT_EQ(f.file_size, 5);
    unsigned char back[8] = {};
    EXPECT_EQ(f.read(back, 1, 8), 5);
    EXPECT_EQ(back[1], 0x0A);
    EXPECT_EQ(back[2], 0x0D);
    EXPECT_TRUE(f.seek(-2, 2));
    EXPECT_EQ(f.read(back, 2, 1), 1);
    EXPECT_EQ(back[0], 0x00);
    EXPECT_EQ(back[1], 0xFF);
}

TEST_F(IoTest, WideTextIsWrittenWithMarkUtf16AndCrLf) {
    {
        CZsFile f(at("t.ini").c_str(), 0x14301, 64);
        ASSERT_TRUE(f.is_open());
        EXPECT_TRUE(f.print_line(L"[%s]", L"Main"));
        EXPECT_EQ(f.print(L"%s=%d\n", Str(L"é\U0001F600"), -3), 6);
    }
    EXPECT_EQ(bytes_of("t.ini"), "\xFF\xFE" + u16le(u"[Main]\r\né\U0001F600=-3\r\n"));
    EXPECT_EQ(lines_of("t.ini"), (std::vector<std::wstring>{L"[Main]\n", L"é\U0001F600=-3\n"}));
}

TEST_F(IoTest, WideTextReadsEveryEncodingItMayFind) {
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"UTF-8 with mark", "\xEF\xBB\xBFk=\xC3\xA9\r\nx\ry\n"},
        {"UTF-8 without mark", "k=\xC3\xA9\r\nx\ry\n"},
        {"UTF-16LE with mark", "\xFF\xFE" + u16le(u"k=é\r\nx\ry\n")},
        {"UTF-16LE without mark", u16le(u"k=é\r\nx\ry\n")},
    };
    for (const auto& r : rows) {
        put_bytes("in.txt", r.bytes);
        // CR LF becomes "\n", a lone CR stays.
        EXPECT_EQ(lines_of("in.txt"), (std::vector<std::wstring>{L"k=é\n", L"x\ry\n"})) << r.what;
    }
}

TEST_F(IoTest, DamagedTextDecodesToReplacementsWithoutLosingTheRest) {
    put_bytes("bad8.txt", "a\xFF" "b\xE2\x82\n");
    EXPECT_EQ(lines_of("bad8.txt"), (std::vector<std::wstring>{L"a\uFFFDb\uFFFD\n"}));
    put_bytes("bad16.txt", "\xFF\xFE" + u16le(u"a") + std::string("\x00\xD8", 2) + u16le(u"b") + "z");
    EXPECT_EQ(lines_of("bad16.txt"), (std::vector<std::wstring>{L"a\uFFFDb\uFFFD"}));
}

TEST_F(IoTest, LineReaderSplitsLinesLongerThanItsBuffer) {
    put_bytes("long.txt", "\xFF\xFE" + u16le(std::u16string(1500, u'x') + u"\r\nend"));
    const auto lines = lines_of("long.txt");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::wstring(1023, L'x'));
    EXPECT_EQ(lines[1], std::wstring(477, L'x') + L"\n");
    EXPECT_EQ(lines[2], L"end");
}

TEST_F(IoTest, SeekToStartOfTextSkipsTheMark) {
    put_bytes("m.txt", "\xFF\xFE" + u16le(u"one\r\ntwo"));
    CZsFile f(at("m.txt").c_str(), 0x14000, 64);
    Str line;
    ASSERT_TRUE(f.get_line(line));
    ASSERT_TRUE(f.get_line(line));
    EXPECT_FALSE(f.get_line(line));
    ASSERT_TRUE(f.seek(0, 0));
    ASSERT_TRUE(f.get_line(line));
    EXPECT_STREQ(line.buf, L"one\n");
}

TEST_F(IoTest, ScanReadsNumbersAndWords) {
    put_bytes("s.txt", "\xFF\xFE" + u16le(u"  12 abc,-7\r\n x"));
    CZsFile f(at("s.txt").c_str(), 0x14000, 64);
    int a = 0, b = 0, c = 0;
    Str w;
    EXPECT_EQ(f.scan(L"%d %s", &a, &w), 2);
    EXPECT_EQ(a, 12);
    EXPECT_STREQ(w.buf, L"abc,-7");
    EXPECT_EQ(f.scan(L"%d", &b), 0);  // "x" is no number and stays unread
    EXPECT_EQ(f.scan(L"%s", &w), 1);
    EXPECT_STREQ(w.buf, L"x");
    EXPECT_EQ(f.scan(L"%d", &c), -1);
}

TEST_F(IoTest, AppendingToWideTextKeepsItsEncodingAndMark) {
    put_bytes("a.txt", "\xFF\xFE" + u16le(u"a\r\n"));
    {
        CZsFile f(at("a.txt").c_str(), 0x10001, 64);  // "at, ccs=UNICODE"
        EXPECT_TRUE(f.put_str(L"b\n"));
    }
    EXPECT_EQ(bytes_of("a.txt"), "\xFF\xFE" + u16le(u"a\r\nb\r\n"));
}

TEST_F(IoTest, StringRecordsRoundTripAsUtf16) {
    {
        CZsFile f(at("s.rec").c_str(), 0x8301, 64);
        EXPECT_TRUE(io_write_str(&f, L""));
        EXPECT_TRUE(io_write_str(&f, L"hé\U0001F600"));
    }
    // The smiley is a surrogate pair: four code units in all.
    EXPECT_EQ(bytes_of("s.rec"), std::string("\0\0\0\0\4\0\0\0", 8) + u16le(u"hé\U0001F600"));
    CZsFile f(at("s.rec").c_str(), 0x8000, 64);
    Str s(L"junk");
    EXPECT_TRUE(io_read_str(&f, s));
    EXPECT_STREQ(s.buf, L"");
    EXPECT_TRUE(io_read_str(&f, s));
    EXPECT_STREQ(s.buf, L"hé\U0001F600");
    EXPECT_FALSE(io_read_str(&f, s));
    EXPECT_STREQ(s.buf, L"");
}

TEST_F(IoTest, DamagedStringRecordsAreRefused) {
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"empty file", ""},
        {"truncated count", std::string("\x02\x00", 2)},
        {"negative count", std::string("\xFF\xFF\xFF\xFF", 4) + u16le(u"ab")},
        {"count beyond the file", std::string("\x10\x00\x00\x00", 4) + u16le(u"ab")},
        {"huge count", std::string("\xFF\xFF\xFF\x7F", 4) + u16le(u"ab")},
        {"truncated body", std::string("\x02\x00\x00\x00", 4) + "a\0b"},
    };
    for (const auto& r : rows) {
        put_bytes("bad.rec", r.bytes);
        CZsFile f(at("bad.rec").c_str(), 0x8000, 64);
        Str s(L"stale");
        EXPECT_FALSE(io_read_str(&f, s)) << r.what;
        EXPECT_STREQ(s.buf, L"") << r.what;
    }
    Str s(L"stale");
    EXPECT_FALSE(io_read_str(nullptr, s));
    EXPECT_FALSE(io_write_str(nullptr, L"x"));
}
