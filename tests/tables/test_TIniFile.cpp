// The profile file layer: reading rules, the text encodings, the file form, the kinds of file
// it reads, atomic writes and what they respect.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "TableTestUtil.h"
#include "tables/AtomicFile.h"
#include "tables/FileLock.h"
#include "tables/TIniFile.h"
#include "tables/TPolScanTab.h"

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
  ASSERT_TRUE(a.UpdateFile());
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
  std::string path = dir.File("IniSaves/f.txt");
  ASSERT_TRUE(atomicWriteFile(path, "first"));
  std::filesystem::permissions(path, std::filesystem::perms(0640));
  ASSERT_TRUE(atomicWriteFile(path, "second"));
  EXPECT_EQ(ReadFile(path), "second");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.File("IniSaves")))
    files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  std::string error;
  EXPECT_FALSE(atomicWriteFile(dir.File("IniSaves"), "x", &error)); // a folder is not replaced
  EXPECT_FALSE(error.empty());
  WriteFile(dir.File("plain"), "file");
  EXPECT_FALSE(atomicWriteFile(dir.File("plain/f.txt"), "x")); // parent is a file
}

TEST(AtomicFile, FailedWriteKeepsThePreviousFile) {
  ScratchDir dir;
  std::string path = dir.File("IniSaves/f.txt");
  ASSERT_TRUE(atomicWriteFile(path, "old content"));
  // A file size limit makes the write of the bigger content fail, whoever runs the test.
  std::string error;
  bool written = true;
  ASSERT_TRUE(tabletest::WithFileSizeLimit(
      16, [&] { written = atomicWriteFile(path, std::string(1000, 'x'), &error); }));
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFile(path), "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("IniSaves")),
                          std::filesystem::directory_iterator()),
            1);
}

} // namespace

namespace {

// A repeated header or key means its first occurrence, as for the Windows profile reader; a
// save writes the later copies as comments, so that a reader taking the last copy reads the
// same values, and nothing typed by hand disappears.
TEST(IniFile, RepeatedHeadersAndKeysMeanTheFirstAndAreSavedAsComments) {
  TIniFile ini("");
  ini.LoadText("[Global]\nPolCount=1\nPolCount=7\n[Polinom0]\nPolName=A\nPolFormula=x\n"
               "[POLINOM0]\nPolName=B\nExtra=1\n[Other]\nK=v\n");
  EXPECT_EQ(ini.ReadInteger("Global", "PolCount", -1), 1);
  EXPECT_EQ(ini.ReadString("Polinom0", "PolName", "!"), "A");
  EXPECT_FALSE(ini.ValueExists("Polinom0", "Extra")); // only in the later copy
  EXPECT_EQ(ini.GetSectionNames(), (std::vector<std::string>{"Global", "Polinom0", "Other"}));
  ini.WriteString("Polinom0", "PolFormula", "y");
  const std::string saved = ini.GetText();
  EXPECT_NE(saved.find(";PolCount=7\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find(";[POLINOM0]\n;PolName=B\n;Extra=1\n"), std::string::npos) << saved;
  // Read again, the saved text has one meaning, whichever copy a reader would take.
  TIniFile again("");
  again.LoadText(saved);
  EXPECT_EQ(again.ReadInteger("Global", "PolCount", -1), 1);
  EXPECT_EQ(again.ReadString("Polinom0", "PolName", "!"), "A");
  EXPECT_EQ(again.ReadString("Polinom0", "PolFormula", "!"), "y");
  EXPECT_EQ(again.ReadString("Other", "K", "!"), "v");
  size_t headers = 0;
  for (size_t at = saved.find("\n[Polinom0]"); at != std::string::npos;
       at = saved.find("\n[Polinom0]", at + 1))
    ++headers;
  EXPECT_EQ(headers, 1u);
  EXPECT_EQ(saved.find("\nPolCount=7"), std::string::npos);
  // Erasing the first copy does not bring the later one back.
  again.EraseSection("Polinom0");
  EXPECT_FALSE(again.SectionExists("Polinom0"));
  EXPECT_EQ(again.GetText().find("\nPolName=B"), std::string::npos);
}

// Every line typed by hand comes back: lines that are no entry become comment lines, all the
// comment lines before an entry stay there, and so do those after the last entry. A lone
// carriage return ends a line, a key differing only in case is a later copy, and the file form
// has one blank line between sections only.
TEST(IniFile, HandTypedLinesSurviveASaveInTheFileForm) {
  TIniFile ini("");
  ini.LoadText("; top\n[A]\nK=1\nno equals here\n; about k\nk=2\nL=3\r; old\n=orphan\n"
               "[B]\nM=4\n; the end\n");
  EXPECT_EQ(ini.ReadString("A", "K", "!"), "1");
  EXPECT_EQ(ini.ReadString("A", "L", "!"), "3");
  EXPECT_FALSE(ini.ValueExists("A", "no equals here"));
  ini.WriteInteger("B", "M", 5);
  EXPECT_EQ(ini.GetText(), "; top\n[A]\nK=1\n;no equals here\n; about k\n;k=2\nL=3\n\n; old\n"
                           ";=orphan\n[B]\nM=5\n; the end\n");
}

// The encoding is decided for the whole file: one value that is not UTF-8 makes every value
// Windows-1251 (also short ones that would pass for UTF-8), and the file is written back in
// it. A text that code page cannot hold turns the file into UTF-8 rather than losing it.
TEST(IniFile, EncodingIsDecidedForTheWholeFileAndKeptOnWrite) {
  ScratchDir dir;
  const std::string path = dir.File("IniSaves/PolForms.ini");
  // "Я№" in Windows-1251 is the valid UTF-8 "߹"; "Привет" in Windows-1251 is not UTF-8.
  const std::string cp1251 = "[Formula0]\nFDiscript=\xDF\xB9\nFormExpr=A\n"
                             "[Formula1]\nFDiscript=\xCF\xF0\xE8\xE2\xE5\xF2\nFormExpr=B\n";
  WriteFile(path, cp1251);
  TIniFile ini(path);
  ASSERT_TRUE(ini.Reload());
  EXPECT_TRUE(ini.IsWindows1251());
  EXPECT_EQ(ini.ReadString("Formula0", "FDiscript", ""), "Я№");
  EXPECT_EQ(ini.ReadString("Formula1", "FDiscript", ""), "Привет");
  ini.WriteString("Formula2", "FDiscript", "Ёлка");
  ASSERT_TRUE(ini.UpdateFile()) << ini.GetLastError();
  const std::string written = ReadFile(path);
  EXPECT_NE(written.find("FDiscript=\xDF\xB9\n"), std::string::npos);
  EXPECT_NE(written.find("FDiscript=\xA8\xEB\xEA\xE0\n"), std::string::npos);
  EXPECT_FALSE(IsValidUtf8(written));

  // A UTF-8 file stays UTF-8, Cyrillic and all.
  WriteFile(path, "[S]\nK=Привет\n");
  ASSERT_TRUE(ini.Reload());
  EXPECT_FALSE(ini.IsWindows1251());
  ini.WriteString("S", "L", "Я№");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(ReadFile(path), "[S]\nK=Привет\nL=Я№\n");

  // A character Windows-1251 has no byte for: the whole file is written as UTF-8.
  WriteFile(path, cp1251);
  ASSERT_TRUE(ini.Reload());
  ini.WriteString("Formula2", "FDiscript", "Σ");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_FALSE(ini.IsWindows1251());
  TIniFile again(path);
  ASSERT_TRUE(again.Reload());
  EXPECT_EQ(again.ReadString("Formula0", "FDiscript", ""), "Я№");
  EXPECT_EQ(again.ReadString("Formula2", "FDiscript", ""), "Σ");
}

enum class Kind { Regular, LinkToRegular, Missing, Folder, Pipe, Device, Huge };

struct KindCase {
  Kind K;
  const char* Name;
  bool Readable;
};

// Only regular files are read, without blocking and up to the size limit; anything else is
// unreadable with a reason, and a table on it neither loads nor writes over it.
class ProfileFileKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ProfileFileKinds, OnlyRegularFilesWithinTheLimitAreRead) {
  ScratchDir dir;
  const std::string path = dir.File("IniSaves/PolTable.ini");
  const std::string content = "[Global]\nPolCount=1\n[Polinom0]\nPolName=A\nPolFormula=x\n";
  std::filesystem::create_directories(dir.File("IniSaves"));
  switch (GetParam().K) {
  case Kind::Regular:
    WriteFile(path, content);
    break;
  case Kind::LinkToRegular:
    WriteFile(dir.File("real.ini"), content);
    std::filesystem::create_symlink("../real.ini", path);
    break;
  case Kind::Missing:
    break;
  case Kind::Folder:
    std::filesystem::create_directory(path);
    break;
  case Kind::Pipe:
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); // with no writer: a blocking open would hang
    break;
  case Kind::Device:
    std::filesystem::create_symlink("/dev/zero", path); // would read until memory runs out
    break;
  case Kind::Huge: {
    WriteFile(path, content);
    std::filesystem::resize_file(path, MaxProfileFileSize + 1); // sparse: costs no disk
    break;
  }
  }
  TIniFile ini(path);
  const bool read = ini.Reload();
  EXPECT_EQ(read, GetParam().Readable);
  EXPECT_EQ(ini.GetLastError().empty(), GetParam().Readable) << ini.GetLastError();
  if (GetParam().K == Kind::Regular || GetParam().K == Kind::LinkToRegular) {
    EXPECT_EQ(ini.ReadString("Polinom0", "PolName", "!"), "A");
  }

  TPolScanTab table(path);
  table.InsRecord("B", LISTSTRUCT::TPolinom({{1.0f, 1}}));
  table.LoadTab();
  EXPECT_EQ(table.GetRetCode(), GetParam().Readable ? TabOK : TabFileErr);
  table.SaveTab();
  EXPECT_EQ(table.GetRetCode(), GetParam().Readable ? TabOK : TabFileErr);
  std::error_code ec;
  // Nothing was written over what stands in the file's place.
  if (GetParam().K == Kind::Pipe) {
    EXPECT_TRUE(std::filesystem::is_fifo(path, ec));
  } else if (GetParam().K == Kind::Device) {
    EXPECT_TRUE(std::filesystem::is_symlink(path, ec));
  } else if (GetParam().K == Kind::Huge) {
    EXPECT_EQ(std::filesystem::file_size(path, ec), MaxProfileFileSize + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProfileFileKinds,
                         ::testing::Values(KindCase{Kind::Regular, "Regular", true},
                                           KindCase{Kind::LinkToRegular, "Link", true},
                                           KindCase{Kind::Missing, "Missing", true},
                                           KindCase{Kind::Folder, "Folder", false},
                                           KindCase{Kind::Pipe, "Pipe", false},
                                           KindCase{Kind::Device, "Device", false},
                                           KindCase{Kind::Huge, "Huge", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A symbolic link stays a link: the file it points to is replaced, beside itself.
TEST(AtomicFile, WritesTheTargetOfALinkBesideTheTarget) {
  ScratchDir dir;
  WriteFile(dir.File("store/real.ini"), "old");
  std::filesystem::create_directories(dir.File("IniSaves"));
  std::filesystem::create_symlink("../store/real.ini", dir.File("IniSaves/PolTable.ini"));
  std::filesystem::create_symlink(dir.File("IniSaves/PolTable.ini"), dir.File("chain.ini"));
  ASSERT_TRUE(atomicWriteFile(dir.File("chain.ini"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.ini")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("IniSaves/PolTable.ini")));
  EXPECT_EQ(ReadFile(dir.File("store/real.ini")), "new");
  for (const char* folder : {"store", "IniSaves"})
    for (auto& e : std::filesystem::directory_iterator(dir.File(folder)))
      EXPECT_TRUE(e.path().filename() == "real.ini" || e.path().filename() == "PolTable.ini")
          << e.path();
  // A link to a file not yet made: the file is made where the link points.
  std::filesystem::create_symlink("later.ini", dir.File("store/soon.ini"));
  ASSERT_TRUE(atomicWriteFile(dir.File("store/soon.ini"), "made"));
  EXPECT_EQ(ReadFile(dir.File("store/later.ini")), "made");
  std::filesystem::create_symlink("loop.ini", dir.File("loop.ini"));
  std::string error;
  EXPECT_FALSE(atomicWriteFile(dir.File("loop.ini"), "x", &error));
  EXPECT_FALSE(error.empty());
}

// What atomicWriteFile makes of path as the user uid: 1 written, 0 refused (old content kept).
int WriteAs(uid_t uid, gid_t gid, const std::string& path) {
  const std::string before = ReadFile(path);
  const int code = tabletest::RunAs(uid, gid, [&] {
    std::string error;
    bool ok = atomicWriteFile(path, "changed", &error);
    return ok ? 1 : error.empty() ? 2 : 0;
  });
  if (code == 0) {
    EXPECT_EQ(ReadFile(path), before) << path;
  }
  return code;
}

// The file's own permission bits are honoured, also by the superuser, and another user's file
// is not taken over: the rename would otherwise replace either unseen.
TEST(AtomicFile, HonoursReadOnlyFilesAndOtherUsersFiles) {
  ScratchDir dir;
  const uid_t me = geteuid();
  const uid_t user = tabletest::OrdinaryUser();
  const gid_t group = tabletest::OrdinaryGroup();
  std::filesystem::permissions(dir.Path, std::filesystem::perms(0777));
  auto file = [&](const std::string& name, uid_t owner, unsigned mode) {
    const std::string path = dir.File(name);
    WriteFile(path, "original");
    if (me == 0) {
      EXPECT_EQ(chown(path.c_str(), owner, owner == 0 ? 0 : group), 0);
    }
    std::filesystem::permissions(path, std::filesystem::perms(mode));
    return path;
  };
  // As an ordinary user (the superuser drops to nobody in a child process).
  EXPECT_EQ(WriteAs(user, group, file("own.ini", user, 0644)), 1);
  EXPECT_EQ(WriteAs(user, group, file("readonly.ini", user, 0444)), 0);
  if (me == 0) {
    EXPECT_EQ(WriteAs(user, group, file("others.ini", 0, 0666)), 0);
    // The superuser honours the bits too, and keeps another user's file that user's.
    EXPECT_EQ(WriteAs(0, 0, file("rootreadonly.ini", 0, 0444)), 0);
    const std::string others = file("usersfile.ini", user, 0640);
    EXPECT_EQ(WriteAs(0, 0, others), 1);
    struct stat st {};
    ASSERT_EQ(stat(others.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, user);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  } else {
    GTEST_SKIP() << "another user's file can be made only by the superuser; the read-only "
                    "cases ran as uid "
                 << me;
  }
}

// Why nothing can be saved in a folder, told before anything is tried: a missing folder that a
// read-only parent keeps from being made, a read-only folder, a folder simply missing; nothing
// for a writable one. Permission bits do not stop the superuser, so this runs as an ordinary
// user.
TEST(AtomicFile, FolderWriteProblemTellsWhyNothingCanBeSaved) {
  ScratchDir dir;
  const std::string folder = dir.File("IniSaves");
  for (const std::string& owned : {dir.Path, folder})
    ASSERT_EQ(chown(owned.c_str(), tabletest::OrdinaryUser(), tabletest::OrdinaryGroup()), 0);
  const int failed = tabletest::RunAs(tabletest::OrdinaryUser(), tabletest::OrdinaryGroup(), [&] {
    auto has = [](const std::string& text, const char* part) {
      return text.find(part) != std::string::npos;
    };
    int bits = FolderWriteProblem(folder).empty() ? 0 : 1;
    rmdir(folder.c_str());
    chmod(dir.Path.c_str(), 0555);
    const std::string notMade = FolderWriteProblem(folder);
    bits |= has(notMade, "не создана") && has(notMade, "Папка только для чтения") ? 0 : 2;
    chmod(dir.Path.c_str(), 0755);
    mkdir(folder.c_str(), 0555);
    const std::string readOnly = FolderWriteProblem(folder);
    bits |=
        has(readOnly, "недоступна для записи") && has(readOnly, "Папка только для чтения") ? 0 : 4;
    bits |= has(FolderWriteProblem(dir.File("nowhere/deeper")), "Папка не существует") ? 0 : 8;
    return bits;
  });
  EXPECT_EQ(failed, 0);
}

// The start time of process pid as /proc states it (field 22 of its stat line).
std::string StartTime(pid_t pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int k = 3; k <= 22; ++k)
    fields >> field;
  return field;
}

// A child that runs until it is killed, having first locked file when one is given.
pid_t Lingering(const std::string& lockedFile = {}) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    int fd = lockedFile.empty() ? -1 : open(lockedFile.c_str(), O_RDONLY);
    if (fd >= 0) flock(fd, LOCK_EX);
    [[maybe_unused]] auto written = write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char c;
  [[maybe_unused]] auto got = read(ready[0], &c, 1);
  close(ready[0]);
  close(ready[1]);
  return child;
}

// A temporary file is stale when its writer is gone, told by the lock the writer holds on it
// and by its name's process number with that process's start time, not by the number alone:
// the first read of a profile file and every write sweep the stale ones of every target from
// the folder, and keep those of running writers and files of other names.
TEST(AtomicFile, StaleTemporaryFilesOfGoneWritersAreSwept) {
  ScratchDir dir;
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string path = dir.File("IniSaves/PolTable.ini");
  WriteFile(path, "[Global]\nPolCount=0\n");
  const std::string g = std::to_string(gone);
  const pid_t running = Lingering();
  const std::string locked = dir.File("IniSaves/PolTable.ini.tmp" + g + "-5-6");
  WriteFile(locked, "x");
  const pid_t holder = Lingering(locked);
  const std::string r = std::to_string(running);
  const std::vector<std::string> stale = {
      "PolTable.ini.tmp" + g + "-1-77", "PolForms.ini.tmp" + g + "-1-77", "x.png.tmp" + g + "-2-3",
      "PolTable.ini.tmp" + std::to_string(getpid()) + "-3-5", // this process writes no more
      "mesh.stl.tmp" + r + "-1-77"}; // its number now belongs to another process
  const std::vector<std::string> kept = {
      "PolTable.ini.tmp" + g + "-5-6",                       // locked by its writer
      "mesh.stl.tmp" + r + "-" + StartTime(running) + "-77", // its writer has not locked it yet
      "PolTable.ini.tmp" + g + "-1", "PolTable.ini.tmpx", ".tmp" + g + "-1-2"};
  for (const auto& name : stale)
    WriteFile(dir.File("IniSaves/" + name), std::string(1000, 'x'));
  for (const auto& name : kept)
    WriteFile(dir.File("IniSaves/" + name), "x");
  TIniFile ini(path);
  ASSERT_TRUE(ini.Reload());
  for (const auto& name : stale)
    EXPECT_FALSE(std::filesystem::exists(dir.File("IniSaves/" + name))) << name;
  for (const auto& name : kept)
    EXPECT_TRUE(std::filesystem::exists(dir.File("IniSaves/" + name))) << name;
  kill(holder, SIGKILL); // the writer dies: its temporary is swept before the next save there
  waitpid(holder, nullptr, 0);
  WriteFile(dir.File("IniSaves/y.csv.tmp" + g + "-1-77"), "x");
  ASSERT_TRUE(atomicWriteFile(dir.File("IniSaves/other.csv"), "a,b\n"));
  EXPECT_FALSE(std::filesystem::exists(locked));
  EXPECT_FALSE(std::filesystem::exists(dir.File("IniSaves/y.csv.tmp" + g + "-1-77")));
  kill(running, SIGKILL);
  waitpid(running, nullptr, 0);
}

// The data folder's lock marks running copies only: a lock file that a crash or a power cut
// left (empty, garbled, naming a process long gone) is taken over at once; while another
// running copy holds it, it is that copy's, and it is free again when that copy ends.
TEST(InstanceLock, OnlyARunningCopyHoldsTheDataFolder) {
  ScratchDir dir;
  const std::string path = dir.File("IniSaves/termix.lock");
  for (const std::string& left :
       {std::string(), std::string("\x01\xFFgarbage"), std::string("999999\nhost\ntermix\n")}) {
    WriteFile(path, left);
    TInstanceLock lock(path);
    EXPECT_EQ(lock.GetState(), TInstanceLock::TState::Held) << left;
  }
  const pid_t other = Lingering(path);
  {
    TInstanceLock lock(path);
    EXPECT_EQ(lock.GetState(), TInstanceLock::TState::HeldByOther);
  }
  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  TInstanceLock lock(path);
  EXPECT_EQ(lock.GetState(), TInstanceLock::TState::Held);
  TInstanceLock second(path); // a second copy started while this one runs
  EXPECT_EQ(second.GetState(), TInstanceLock::TState::HeldByOther);
  TInstanceLock nowhere(dir.File("missing/termix.lock"));
  EXPECT_EQ(nowhere.GetState(), TInstanceLock::TState::Unavailable);
}

} // namespace
