// The profile file layer: reading rules, the text encodings, the file form, atomic writes.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "TableTestUtil.h"
#include "tables/AtomicFile.h"
#include "tables/TIniFile.h"

using namespace TABLESTRUCT;
using tabletest::ReadFile;
using tabletest::ScratchDir;
using tabletest::WriteFile;

namespace {

TEST(IniFile, ReadsWithDefaultsTrimmingAndCaseBlindNames) {
  TIniFile ini("");
  ini.LoadText("; a comment\n[Global]\nPolCount =  12  \nBad=12x\nEmpty=\n[polinom3]\r\n"
               "  PolName =  P 1  \r\nno equals sign here\nPolFormula=X + 1\n");
  EXPECT_EQ(ini.ReadInteger("Global", "PolCount", 0), 12);
  EXPECT_EQ(ini.ReadInteger("GLOBAL", "polcount", 0), 12);
  EXPECT_EQ(ini.ReadInteger("Global", "Bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger("Global", "Empty", 7), 7);
  EXPECT_EQ(ini.ReadInteger("Global", "Missing", -1), -1);
  EXPECT_EQ(ini.ReadString("Global", "Empty", "!"), "");
  EXPECT_EQ(ini.ReadString("Polinom3", "PolName", "!"), "P 1");
  EXPECT_EQ(ini.ReadString("Polinom3", "PolFormula", "!"), "X + 1");
  EXPECT_EQ(ini.ReadString("Polinom4", "PolName", "!"), "!");
  EXPECT_TRUE(ini.SectionExists("POLINOM3"));
  EXPECT_FALSE(ini.IsModified());
}

TEST(IniFile, DecodesWindows1251WhenNotUtf8) {
  EXPECT_EQ(DecodeProfileText("Pol\xCF\xEE\xEB"), "Pol\xD0\x9F\xD0\xBE\xD0\xBB");   // "Пол"
  EXPECT_EQ(DecodeProfileText("\xD0\x9F"), "\xD0\x9F");                             // UTF-8 "П"
  EXPECT_EQ(DecodeProfileText("\xA8\xB9\x98"), "\xD0\x81\xE2\x84\x96\xEF\xBF\xBD"); // Ё № ?
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));                                            // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));                                        // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE2\x84"));         // cut short
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
  TIniFile ini("");
  ini.LoadText("[S]\nK=\xC0\xC1\n");
  EXPECT_EQ(ini.ReadString("S", "K", ""), "\xD0\x90\xD0\x91");
}

TEST(IniFile, WritesKeyEqualsValueInCreationOrderAndKeepsWhatItDoesNotKnow) {
  TIniFile ini("");
  ini.LoadText("\xEF\xBB\xBF[Other]\nKeep=this\n[Global]\nPolCount=1\n");
  ini.WriteString("Polinom0", "PolName", "P1");
  ini.WriteString("Polinom0", "PolFormula", "a\nb\rc");
  ini.WriteInteger("Global", "PolCount", 2);
  EXPECT_TRUE(ini.IsModified());
  std::string text = ini.GetText();
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
  size_t other = text.find("[Other]\nKeep=this\n");
  size_t global = text.find("[Global]\nPolCount=2\n");
  size_t pol = text.find("[Polinom0]\nPolName=P1\nPolFormula=a b c\n");
  ASSERT_NE(other, std::string::npos) << text;
  ASSERT_NE(global, std::string::npos) << text;
  ASSERT_NE(pol, std::string::npos) << text;
  EXPECT_LT(other, global);
  EXPECT_LT(global, pol);
  ini.EraseSection("other");
  EXPECT_EQ(ini.GetText().find("Keep"), std::string::npos);
}

TEST(IniFile, CommentsStayBeforeTheirEntries) {
  TIniFile ini("");
  ini.LoadText("; top of file\n; second line\n\n[A]\n# about X\nX=1\n[B]\nY=2\n");
  ini.WriteString("B", "Y", "3");
  TIniFile again("");
  again.LoadText(ini.GetText());
  std::string text = again.GetText();
  EXPECT_NE(text.find("; top of file\n; second line\n[A]\n# about X\nX=1\n"), std::string::npos)
      << text;
  EXPECT_EQ(again.ReadInteger("B", "Y", 0), 3);
}

TEST(IniFile, ZeroBytesDoNotHideTheRestOfTheFile) {
  TIniFile ini("");
  ini.LoadText(std::string("[A]\nX=1\0junk\n[B]\nY=2\n", 22));
  EXPECT_EQ(ini.ReadInteger("B", "Y", 0), 2);
}

TEST(IniFile, ReloadSeesOtherWritersAndWritesOnlyWhenChanged) {
  ScratchDir dir;
  std::string path = dir.File("IniSaves/T.ini");
  TIniFile a(path), b(path);
  EXPECT_TRUE(a.Reload()); // missing file: empty, no error
  a.WriteInteger("G", "N", 1);
  ASSERT_TRUE(a.UpdateFile()); // the folder is made
  ASSERT_TRUE(b.Reload());
  EXPECT_EQ(b.ReadInteger("G", "N", 0), 1);
  b.WriteInteger("G", "N", 2);
  ASSERT_TRUE(b.UpdateFile());
  EXPECT_EQ(a.ReadInteger("G", "N", 0), 1); // until it reads again
  ASSERT_TRUE(a.Reload());
  EXPECT_EQ(a.ReadInteger("G", "N", 0), 2);
  auto stamp = std::filesystem::last_write_time(path);
  a.WriteInteger("G", "N", 2); // same value: nothing to write
  EXPECT_FALSE(a.IsModified());
  ASSERT_TRUE(a.UpdateFile());
  EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
  // A path that cannot be read is reported, not taken for an empty file.
  TIniFile folder(dir.Path);
  EXPECT_FALSE(folder.Reload());
  EXPECT_FALSE(folder.GetLastError().empty());
}

TEST(AtomicFile, ReplacesWholeFileKeepingModeAndLeavesNoTemporaryFiles) {
  ScratchDir dir;
  std::string path = dir.File("sub/f.txt");
  ASSERT_TRUE(atomicWriteFile(path, "first"));
  std::filesystem::permissions(path, std::filesystem::perms(0640));
  ASSERT_TRUE(atomicWriteFile(path, "second"));
  EXPECT_EQ(ReadFile(path), "second");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.File("sub")))
    files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  std::string error;
  EXPECT_FALSE(atomicWriteFile(dir.File("sub"), "x", &error)); // a folder is not replaced
  EXPECT_FALSE(error.empty());
  WriteFile(dir.File("plain"), "file");
  EXPECT_FALSE(atomicWriteFile(dir.File("plain/f.txt"), "x")); // parent is a file
}

TEST(AtomicFile, FailedWriteKeepsThePreviousFile) {
  ScratchDir dir;
  std::string path = dir.File("f.txt");
  ASSERT_TRUE(atomicWriteFile(path, "old content"));
  // A file size limit makes the write of the bigger content fail, whoever runs the test.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  bool written = atomicWriteFile(path, std::string(1000, 'x'), &error);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFile(path), "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path),
                          std::filesystem::directory_iterator()),
            1);
}

} // namespace
