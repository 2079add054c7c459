#include "app/ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <tuple>

#include "app/codec.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A file as the game writes it: FF FE, UTF-16LE, CR LF.
std::string ini_bytes(const std::wstring& text) { return "\xFF\xFE" + utf16le_from_wide(text); }

class IniTest : public ::testing::Test {
protected:
    temp_dir_t t;
    std::wstring cfg() const { return wide_from_utf8(t.path("config.ini")); }
    void put(const std::wstring& text) const { t.file("config.ini", ini_bytes(text)); }
    std::string bytes() const { return t.read("config.ini"); }
    // 1 when config.ini stands alone, no temporary left beside it.
    long entries() const { return long(std::distance(fs::directory_iterator(t.root()), fs::directory_iterator())); }
    // save(), the warning a failed one prints kept off the test's output.
    static bool quiet_save(CZsIni& ini) {
        ::testing::internal::CaptureStdout();
        const bool saved = ini.save();
        ::testing::internal::GetCapturedStdout();
        return saved;
    }
};

}  // namespace

TEST_F(IniTest, WriterSortsCaseSensitivelyAndEndsEveryBlockWithAnEmptyLine) {
    CZsIni ini(cfg().c_str());
    ini.set_string(L"a", L"1", L"Main");
    ini.set_int(L"B", 2, L"Main");
    ini.set_string(L"z", L"r", nullptr);
    ini.set_string(L"Y", L"q", nullptr);
    ini.sections[Str(L"Empty")];
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bytes(), ini_bytes(L"Y=q\r\nz=r\r\n\r\n[Empty]\r\n\r\n[Main]\r\nB=2\r\na=1\r\n\r\n"));
    EXPECT_EQ(entries(), 1);
}

// Keys split at the first "=" only; a repeated header drops the keys read before.
TEST_F(IniTest, ReaderEdgeCases) {
    put(L"  [] \r\na = b\r\n\t\r\nk=v=w\r\nbare\r\nempty=\r\n=lost\r\n;c=1\r\ndup=1\r\ndup=2\r\n"
        L"[Main]\r\na=2\r\n[a]\r\n[x y]=3\r\n[Main]\r\nb=3\r\n");
    CZsIni ini(cfg().c_str());
    const CZsIni::keys_t want_root = {{L"[]", L""},   {L"a ", L" b"}, {L"k", L"v=w"}, {L"bare", L""},
                                      {L"empty", L""}, {L"", L""},     {L";c", L"1"},  {L"dup", L"2"}};
    EXPECT_EQ(ini.root, want_root);
    EXPECT_EQ(ini.sections, (std::map<Str, CZsIni::keys_t>{{L"Main", {{L"b", L"3"}}}, {L"a", {{L"[x y]", L"3"}}}}));
}

TEST_F(IniTest, LineOverTheBufferArrivesAsTwoKeyLines) {
    put(L"k=" + std::wstring(1498, L'v') + L"\r\n");
    CZsIni ini(cfg().c_str());
    ASSERT_EQ(ini.root.size(), 2u);
    EXPECT_EQ(ini.root[Str(L"k")], Str(std::wstring(1021, L'v').c_str()));
    EXPECT_EQ(ini.root.count(Str(std::wstring(477, L'v').c_str())), 1u);
}

TEST_F(IniTest, GettersFallBackAndSettersCreateWhatIsMissing) {
    put(L"[Main]\r\nhex=0x1F\r\ntail=12abc\r\nword=abc\r\nnone=\r\n");
    CZsIni ini(cfg().c_str());
    for (auto [key, section, want] : {std::tuple{L"hex", L"Main", 31}, {L"tail", L"Main", 12}, {L"word", L"Main", 77},
                                      {L"none", L"Main", 77}, {L"missing", L"Main", 77}, {L"hex", L"Other", 77}})
        EXPECT_EQ(ini.get_int(key, 77, section), want) << key;
    const std::wstring other = wide_from_utf8(t.path("other.ini"));
    EXPECT_FALSE(ini.load(other.c_str(), false) || ini.load(other.c_str(), true));
    EXPECT_EQ(ini.path, other.c_str());
    ini.set_string(L"k", nullptr, L"New");
    ini.set_string(L"r", L"v", nullptr);
    for (auto [key, section, want] :
         {std::tuple{L"tail", L"Main", L"12abc"}, {L"k", L"New", L""}, {L"r", nullptr, L"v"}, {L"k", L"new", L"def"}})
        EXPECT_EQ(ini.get_string(key, Str(L"def"), section), Str(want)) << key;
}

TEST_F(IniTest, UnreadablePermissionsKeepThePlayersFile) {
    const std::string before = ini_bytes(L"[Main]\r\nmusic=0\r\n");
    t.file("config.ini", before);
    fs::permissions(t.root() / "config.ini", fs::perms::none);
    fs::permissions(t.root(), fs::perms::all);  // anyone may write beside it: only the refusal keeps it
    auto attempt = [&] {
        // Root reads through permissions; a plain user does not.
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        CZsIni ini(cfg().c_str());
        ini.set_int(L"music", 1, L"Main");
        std::_Exit(ini.save() ? 1 : 0);
    };
    EXPECT_EXIT(attempt(), ::testing::ExitedWithCode(0), "");
    fs::permissions(t.root() / "config.ini", fs::perms::owner_all);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(entries(), 1);
}

TEST_F(IniTest, ReadOnlyFileIsLeftAsItIsWithAWarning) {
    const std::string before = ini_bytes(L"[Main]\r\nmusic=0\r\n");
    t.file("config.ini", before);
    constexpr fs::perms read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(t.root() / "config.ini", read_only);
    CZsIni ini(cfg().c_str());
    ini.set_int(L"music", 1, L"Main");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(ini.save());
    EXPECT_NE(::testing::internal::GetCapturedStdout().find("config.ini could not be written!"), std::string::npos);
    EXPECT_EQ(fs::status(t.root() / "config.ini").permissions(), read_only);
    fs::permissions(t.root() / "config.ini", fs::perms::owner_all);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(entries(), 1);
}

// A lone mark, or half a UTF-16 unit at the end, must not become a key that
// every later save keeps.
TEST_F(IniTest, BareMarkAndStrayTrailingByteAddNoKey) {
    const std::pair<std::string, std::wstring> cases[] = {{"\xEF\xBB\xBF", L""},
                                                          {ini_bytes(L"[Main]\r\na=1\r\n") + "A", L"[Main]\r\na=1\r\n\r\n"}};
    for (const auto& [raw, saved] : cases) {
        t.file("config.ini", raw);
        CZsIni ini(cfg().c_str());
        EXPECT_TRUE(ini.root.empty());
        EXPECT_LE(ini.sections.size(), 1u);
        ASSERT_TRUE(ini.save());
        EXPECT_EQ(bytes(), ini_bytes(saved));
    }
}

TEST_F(IniTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
    put(L"[Main]\r\na=1\r\n");
    CZsIni ini(cfg().c_str());
    ini.set_string(L"a", L"2", L"Main");
    t.folder("config.ini.tmp");  // the temporary cannot be made
    EXPECT_FALSE(quiet_save(ini));
    fs::remove(t.root() / "config.ini.tmp");
    CZsIni lost(wide_from_utf8(t.path("gone/config.ini")).c_str());
    EXPECT_FALSE(quiet_save(lost));
    EXPECT_EQ(bytes(), ini_bytes(L"[Main]\r\na=1\r\n"));
    EXPECT_EQ(entries(), 1);
}

TEST_F(IniTest, ConfigIsWrittenWhenDestroyedEvenUnchanged) {
    { CZsConfig c(cfg().c_str()); }
    EXPECT_EQ(bytes(), "\xFF\xFE");
    {
        CZsConfig c(cfg().c_str());
        c.set_int(L"next_pc_id", c.get_int(L"next_pc_id", 100, L"Main") + 1, L"Main");
    }
    EXPECT_EQ(CZsIni(cfg().c_str()).get_int(L"next_pc_id", 100, L"Main"), 101);
}

TEST_F(IniTest, ConfigsThatAreNotRegularOrEndlessAreNeverReadNorReplaced) {
    alarm(60);  // a reader that blocks fails the test instead of hanging it
    // Read as empty, and the save refuses to replace it.
    auto expect_untouched = [this] {
        CZsIni ini(cfg().c_str());
        EXPECT_TRUE(ini.sections.empty());
        EXPECT_FALSE(quiet_save(ini));
    };
    ASSERT_EQ(mkfifo(t.path("config.ini").c_str(), 0600), 0);
    expect_untouched();
    fs::remove(t.path("config.ini"));
    fs::create_symlink("/dev/zero", t.path("config.ini"));
    expect_untouched();
    EXPECT_TRUE(fs::is_symlink(t.path("config.ini")));
    fs::remove(t.path("config.ini"));

    // Past 4 MiB a file is no configuration: the model keeps what it had.
    std::wstring big = L"[Main]\r\n";
    while (big.size() < (2u << 20) + 100) big += L"k=0123456789012345678901234567890123456789\r\n";
    put(L"[Main]\r\na=1\r\n");
    CZsIni ini(cfg().c_str());
    put(big);
    EXPECT_FALSE(ini.load(cfg().c_str(), true));
    EXPECT_EQ(ini.get_int(L"a", 0, L"Main"), 1);
    EXPECT_FALSE(quiet_save(ini));
    EXPECT_EQ(bytes(), ini_bytes(big));
    alarm(0);
}

TEST_F(IniTest, TheNextStartRemovesATemporaryFileAKillLeft) {
    put(L"[Main]\r\na=1\r\n");
    t.file("config.ini.tmp", "half a file");
    {
        CZsConfig c(cfg().c_str());
        EXPECT_FALSE(fs::exists(t.path("config.ini.tmp")));
    }
    EXPECT_EQ(bytes(), ini_bytes(L"[Main]\r\na=1\r\n\r\n"));
}
