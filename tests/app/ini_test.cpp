#include "app/ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/app/tmp_files.h"

namespace fs = std::filesystem;

namespace {

class IniTest : public tmp_files_test {
protected:
    std::wstring cfg() const { return at("config.ini"); }
    void put_bytes(const std::string& bytes) const { tmp_files_test::put_bytes("config.ini", bytes); }
    // A file as the game writes it: FF FE, UTF-16LE, CR LF.
    void put_lines(const std::u16string& text) const { put_bytes("\xFF\xFE" + u16le(text)); }
    std::string bytes_of() const { return tmp_files_test::bytes_of("config.ini"); }
};

}  // namespace

TEST_F(IniTest, OneKeyIsWrittenAsTheGameAlwaysWroteIt) {
    CZsIni ini(cfg().c_str());
    ini.set_int(L"show_fps", 1, L"Main");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bytes_of(), "\xFF\xFE" + u16le(u"[Main]\r\nshow_fps=1\r\n\r\n"));
}

TEST_F(IniTest, WriterSortsCaseSensitivelyAndEndsEveryBlockWithAnEmptyLine) {
    CZsIni ini(cfg().c_str());
    ini.set_string(L"a", L"1", L"Main");
    ini.set_string(L"B", L"2", L"Main");
    ini.set_string(L"z", L"r", nullptr);
    ini.set_string(L"Y", L"q", nullptr);
    ini.sections[Str(L"Empty")];
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bytes_of(), "\xFF\xFE" + u16le(u"Y=q\r\nz=r\r\n\r\n[Empty]\r\n\r\n[Main]\r\nB=2\r\na=1\r\n\r\n"));
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniTest, RepeatedSectionHeaderDiscardsTheEarlierKeys) {
    put_lines(u"x=1\r\n[Main]\r\na=2\r\n[Main]\r\nb=3\r\n");
    CZsIni ini(cfg().c_str());
    EXPECT_EQ(ini.root, (CZsIni::keys_t{{L"x", L"1"}}));
    ASSERT_EQ(ini.sections.size(), 1u);
    EXPECT_EQ(ini.sections[Str(L"Main")], (CZsIni::keys_t{{L"b", L"3"}}));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bytes_of(), "\xFF\xFE" + u16le(u"x=1\r\n\r\n[Main]\r\nb=3\r\n\r\n"));
}

TEST_F(IniTest, KeyLinesSplitAtTheFirstEqualsSignOnly) {
    put_lines(u"  [] \r\n"
              u"a = b\r\n"
              u"\t\r\n"
              u"k=v=w\r\n"
              u"bare\r\n"
              u"empty=\r\n"
              u"=lost\r\n"
              u";c=1\r\n"
              u"dup=1\r\n"
              u"dup=2\r\n"
              u"[a]\r\n"
              u"[x y]=3\r\n");
    CZsIni ini(cfg().c_str());
    const CZsIni::keys_t want_root = {
        {L"[]", L""}, {L"a ", L" b"}, {L"k", L"v=w"}, {L"bare", L""}, {L"empty", L""},
        {L"", L""},   {L";c", L"1"},  {L"dup", L"2"},
    };
    EXPECT_EQ(ini.root, want_root);
    ASSERT_EQ(ini.sections.count(Str(L"a")), 1u);
    EXPECT_EQ(ini.sections[Str(L"a")], (CZsIni::keys_t{{L"[x y]", L"3"}}));
}

TEST_F(IniTest, GetIntReadsLeadingNumbersAndFallsBackToTheDefault) {
    put_lines(u"[Main]\r\nhex=0x1F\r\ntail=12abc\r\nword=abc\r\nneg=-5\r\nnone=\r\n");
    CZsIni ini(cfg().c_str());
    const struct {
        const wchar_t* key;
        int want;
    } rows[] = {{L"hex", 31}, {L"tail", 12}, {L"word", 77}, {L"neg", -5}, {L"none", 77}, {L"missing", 77}};
    for (const auto& r : rows) EXPECT_EQ(ini.get_int(r.key, 77, L"Main"), r.want) << r.key;
    EXPECT_EQ(ini.get_int(L"hex", 77, L"Other"), 77);
    EXPECT_EQ(ini.get_int(L"hex", 77, nullptr), 77);
}

TEST_F(IniTest, LineOverTheBufferArrivesAsTwoKeyLines) {
    put_lines(u"k=" + std::u16string(1498, u'v') + u"\r\n");
    CZsIni ini(cfg().c_str());
    ASSERT_EQ(ini.root.size(), 2u);
    EXPECT_EQ(ini.root[Str(L"k")], Str(std::wstring(1021, L'v').c_str()));
    EXPECT_EQ(ini.root.count(Str(std::wstring(477, L'v').c_str())), 1u);
}

TEST_F(IniTest, HandEditedUtf8ConfigLoadsAndIsWrittenBackWhole) {
    put_bytes("[Main]\nLang=cn\nname=J\xC3\xBCrgen\n");
    CZsIni ini(cfg().c_str());
    EXPECT_EQ(ini.get_string(L"name", Str(L"?"), L"Main"), Str(L"Jürgen"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bytes_of(), "\xFF\xFE" + u16le(u"[Main]\r\nLang=cn\r\nname=Jürgen\r\n\r\n"));
}

TEST_F(IniTest, FailedLoadsKeepTheModelButTakeThePath) {
    put_lines(u"[Main]\r\na=1\r\n");
    CZsIni ini(cfg().c_str());
    const std::wstring other = (dir / "other.ini").wstring();
    EXPECT_FALSE(ini.load(other.c_str(), false));
    EXPECT_EQ(ini.path, other.c_str());
    EXPECT_FALSE(ini.load(other.c_str(), true));
    EXPECT_EQ(ini.get_string(L"a", Str(L""), L"Main"), Str(L"1"));
    EXPECT_TRUE(ini.load(cfg().c_str(), false));
}

TEST_F(IniTest, SettersCreateWhatIsMissing) {
    CZsIni ini(cfg().c_str());
    EXPECT_TRUE(ini.root.empty());
    EXPECT_TRUE(ini.sections.empty());
    ini.set_string(L"k", nullptr, L"New");
    ini.set_string(L"r", L"v", nullptr);
    ini.set_int(L"n", -12, L"New");
    ini.set_int(L"n", 40, L"New");
    EXPECT_EQ(ini.get_string(L"k", Str(L"def"), L"New"), Str(L""));
    EXPECT_EQ(ini.get_string(L"r", Str(L"def"), nullptr), Str(L"v"));
    EXPECT_EQ(ini.get_string(L"r", Str(L"def"), L"New"), Str(L"def"));
    EXPECT_EQ(ini.get_string(L"n", Str(L""), L"New"), Str(L"40"));
    EXPECT_EQ(ini.get_string(L"n", Str(L"def"), L"new"), Str(L"def"));
}

TEST_F(IniTest, UnreadablePermissionsKeepThePlayersFile) {
    const std::string before = "\xFF\xFE" + u16le(u"[Main]\r\nmusic=0\r\n");
    put_bytes(before);
    fs::permissions(dir / "config.ini", fs::perms::none);
    // Anyone may write beside it, so only the refusal keeps the file.
    fs::permissions(dir, fs::perms::all);
    auto attempt = [&] {
        // Root reads through permissions; a plain user does not.
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        CZsIni ini(cfg().c_str());
        ini.set_int(L"music", 1, L"Main");
        std::_Exit(ini.save() ? 1 : 0);
    };
    EXPECT_EXIT(attempt(), ::testing::ExitedWithCode(0), "");
    fs::permissions(dir / "config.ini", fs::perms::owner_all);
    EXPECT_EQ(bytes_of(), before);
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
    put_lines(u"[Main]\r\na=1\r\n");
    CZsIni ini(cfg().c_str());
    ini.set_string(L"a", L"2", L"Main");
    // The temporary name is taken by a folder, so the new file cannot be made.
    fs::create_directory(dir / "config.ini.tmp");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(ini.save());
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(bytes_of(), "\xFF\xFE" + u16le(u"[Main]\r\na=1\r\n"));
    EXPECT_TRUE(fs::is_directory(dir / "config.ini.tmp"));

    fs::remove(dir / "config.ini.tmp");
    CZsIni lost((dir / "gone" / "config.ini").wstring().c_str());
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(lost.save());
    ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(fs::exists(dir / "gone"));
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniTest, ConfigIsWrittenWhenDestroyedEvenUnchanged) {
    { CZsConfig c(cfg().c_str()); }
    EXPECT_EQ(bytes_of(), "\xFF\xFE");
    {
        CZsConfig c(cfg().c_str());
        c.set_int(L"next_pc_id", c.get_int(L"next_pc_id", 100, L"Main") + 1, L"Main");
    }
    CZsIni back(cfg().c_str());
    EXPECT_EQ(back.get_int(L"next_pc_id", 100, L"Main"), 101);
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"config.ini"});
}
