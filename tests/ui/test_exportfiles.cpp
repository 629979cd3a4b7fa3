// Every file the windows export (pictures as PNG, SVG and PDF, chart points as CSV, meshes as
// STL and OBJ) is written by the program's one file writer and follows its rules: each hostile
// target is refused with the reason in Russian, what stood there stays as it was, no folder is
// made and no temporary file is left. The saves run as an ordinary user in a process of their
// own: this program started again with "--save <kind> <path>".

#include "core/TCanvas.h"
#include "core/TPolinom.h"
#include "surface/TImplicitMesh.h"
#include "ui/ExportHelpers.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

enum TTarget { Fresh, Fifo, ReadOnlyFile, OtherUsersFile, ReadOnlyFolder, FullDisk, MissingFolder };

const char* const OldContent = "old";

// The temporary files of the writer in folder.
int TemporaryFiles(const QString& folder) {
  return QDir(folder).entryList({"*.tmp*"}, QDir::Files | QDir::Hidden | QDir::System).size();
}

// The child: saves one export of kind to path and prints the refusal's reason, whether path
// still holds the old content ("old:kept") and the temporary files left beside it.
int SaveAsChild(int argc, char** argv) {
  QTemporaryDir runtime; // the ordinary user's own, as a session would give it
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  QGuiApplication app(argc, argv);
  const QString kind = argv[2], path = QString::fromLocal8Bit(argv[3]);
  TPictureExport picture;
  picture.Raster = [] {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
  };
  picture.Svg = [] {
    return CanvasSvg(QSize(300, 80), QFont(), [](LISTSTRUCT::TCanvas& canvas) {
      LISTSTRUCT::TPolinom pol;
      pol.SetText("15504*x^15 + 1");
      const LISTSTRUCT::TCanvasColor c{200, 200, 0};
      pol.DrawStructure(5, 5, 300, canvas, c, c, c, c, c, c, {255, 255, 255});
    });
  };
  picture.Csv = [] { return QByteArray("organisation,x,y\nscan,1,2\n"); };
  TRANSSTRUCT::TImplicitMesh mesh;
  LISTSTRUCT::TPolinom sphere;
  sphere.SetText("x^2 + y^2 + z^2");
  mesh.Build(sphere, 0.5f, TRANSSTRUCT::TViewRegion{}, TRANSSTRUCT::TImplicitMesh::MinCells);
  QString error;
  bool saved = false;
  if (kind == "png" || kind == "svg")
    saved = SavePictureFile(picture, path, &error);
  else if (kind == "pdf")
    saved = SavePdfFile(picture, path, &error);
  else if (kind == "csv")
    saved = SaveCsvFile(picture, path, &error);
  else
    saved = SaveMeshFile(mesh, TRANSSTRUCT::TViewRegion{}, "sphere", path, &error);
  std::printf("%s\n", error.toUtf8().constData());
  QFile file(path);
  if (argc > 4 && file.open(QIODevice::ReadOnly))
    std::printf("old:%s\n", file.readAll() == OldContent ? "kept" : "changed");
  std::printf("temporaries:%d\n", TemporaryFiles(QFileInfo(path).absolutePath()));
  return saved ? 0 : 1;
}

// Makes folder a tiny file system of its own that holds the file "old" and is full, in a mount
// namespace of this process only. Runs in the forked child before it starts the save.
bool MakeFullDisk(const std::string& folder, uid_t user, gid_t group) {
  if (geteuid() == 0) {
    if (unshare(CLONE_NEWNS) != 0) return false;
  } else {
    // An ordinary user may mount in a user namespace of its own, as its root.
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    auto write = [](const char* file, const std::string& text) {
      const int fd = open(file, O_WRONLY);
      const bool ok = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size());
      if (fd >= 0) close(fd);
      return ok;
    };
    if (!write("/proc/self/setgroups", "deny") ||
        !write("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !write("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("termix-full", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0777") !=
          0)
    return false;
  const std::string old = folder + "/x";
  int fd = open(old.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || write(fd, OldContent, std::strlen(OldContent)) != ssize_t(std::strlen(OldContent)))
    return false;
  if (geteuid() == 0 && fchown(fd, user, group) != 0) return false;
  close(fd);
  fd = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
  static char block[4096];
  while (fd >= 0 && write(fd, block, sizeof block) > 0) {
  }
  const bool full = errno == ENOSPC;
  if (fd >= 0) close(fd);
  return full;
}

struct TChildRun {
  int Code = -1; // 0 saved, 1 refused, 77 the target could not be made
  QString Output;
};

// Runs "--save kind path" in a child process as the ordinary user (the superuser drops to
// nobody), with the offscreen platform.
TChildRun RunSave(const QString& kind, const QString& path, TTarget target, uid_t user,
                  gid_t group) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string kindArg = kind.toStdString(), pathArg = QFile::encodeName(path).toStdString();
  const std::string folder = QFileInfo(path).absolutePath().toStdString();
  std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "QT_FORCE_STDERR_LOGGING=1"};
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.emplace_back(*e);
  std::vector<char*> envp, args;
  for (auto& e : env)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  const bool expectOld = target != Fresh && target != Fifo && target != MissingFolder;
  for (const std::string* a : {&self, &kindArg, &pathArg})
    args.push_back(const_cast<char*>(a->c_str()));
  args.insert(args.begin() + 1, const_cast<char*>("--save"));
  if (expectOld) args.push_back(const_cast<char*>("--expect-old"));
  args.push_back(nullptr);

  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    if (target == FullDisk && !MakeFullDisk(folder, user, group)) _exit(77);
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(group) != 0 || setuid(user) != 0))
      _exit(100);
    execve(self.c_str(), args.data(), envp.data());
    _exit(127);
  }
  close(out[1]);
  QByteArray output;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, QString::fromUtf8(output)};
}

void WriteOld(const QString& path, uid_t owner, gid_t group, mode_t mode) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(OldContent);
  file.close();
  if (geteuid() == 0) QCOMPARE(chown(QFile::encodeName(path).constData(), owner, group), 0);
  QCOMPARE(chmod(QFile::encodeName(path).constData(), mode), 0);
}

} // namespace

class TestExportFiles : public QObject {
  Q_OBJECT
private slots:
  void everyKindIsWrittenByTheOneWriterAndRefusesHostileTargets_data();
  void everyKindIsWrittenByTheOneWriterAndRefusesHostileTargets();
};

void TestExportFiles::everyKindIsWrittenByTheOneWriterAndRefusesHostileTargets_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("reason"); // a part of the refusal's text
  const struct {
    TTarget Target;
    const char* Name;
    const char* Reason;
  } targets[] = {{Fresh, "fresh file", ""},
                 {Fifo, "pipe", "не является обычным файлом"},
                 {ReadOnlyFile, "0444 file", "доступен только для чтения"},
                 {OtherUsersFile, "another user's file", "принадлежит другому пользователю"},
                 {ReadOnlyFolder, "read-only folder", "Папка только для чтения"},
                 {FullDisk, "full disk", "Недостаточно места на диске"},
                 {MissingFolder, "missing folder", "Папка не существует"}};
  for (const char* kind : {"png", "svg", "pdf", "csv", "stl", "obj"})
    for (const auto& t : targets)
      QTest::addRow("%s, %s", kind, t.Name) << QString(kind) << int(t.Target) << t.Reason;
}

void TestExportFiles::everyKindIsWrittenByTheOneWriterAndRefusesHostileTargets() {
  QFETCH(QString, kind);
  QFETCH(int, target);
  QFETCH(QString, reason);
  const passwd* nobody = getpwnam("nobody");
  const uid_t user = geteuid() != 0 ? geteuid() : nobody ? nobody->pw_uid : 65534;
  const gid_t group = geteuid() != 0 ? getegid() : nobody ? nobody->pw_gid : 65534;
  if (target == OtherUsersFile && geteuid() != 0)
    QSKIP("another user's file can be made only by the superuser");
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  QCOMPARE(chmod(QFile::encodeName(scratch.path()).constData(), 0755), 0);
  const QString folder = scratch.filePath("work");
  QVERIFY(QDir().mkpath(folder));
  if (geteuid() == 0) QCOMPARE(chown(QFile::encodeName(folder).constData(), user, group), 0);
  QString path = QDir(folder).filePath("x." + kind);
  const QByteArray native = QFile::encodeName(path);
  switch (TTarget(target)) {
  case Fifo:
    QCOMPARE(mkfifo(native.constData(), 0666), 0);
    break;
  case ReadOnlyFile:
    WriteOld(path, user, group, 0444);
    break;
  case OtherUsersFile:
    WriteOld(path, 0, 0, 0666);
    break;
  case ReadOnlyFolder:
    WriteOld(path, user, group, 0644);
    QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    break;
  case FullDisk:
    path = QDir(folder).filePath("x"); // the child makes the disk and the old file
    break;
  case MissingFolder:
    path = QDir(folder).filePath("nosuchdir/x/../y." + kind);
    break;
  case Fresh:
    break;
  }
  const TChildRun run = RunSave(kind, path, TTarget(target), user, group);
  chmod(QFile::encodeName(folder).constData(), 0755);
  if (run.Code == 77) QSKIP("no small file system can be mounted here to fill");
  QVERIFY2(run.Output.contains("temporaries:0"), qPrintable(run.Output));
  if (target == Fresh) {
    QVERIFY2(run.Code == 0, qPrintable(run.Output));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QByteArray start = kind == "png"   ? QByteArray("\x89PNG")
                             : kind == "svg" ? QByteArray("<?xml")
                             : kind == "pdf" ? QByteArray("%PDF")
                             : kind == "csv" ? QByteArray("organisation,x,y")
                             : kind == "obj" ? QByteArray("# sphere")
                                             : QByteArray("sphere");
    QVERIFY2(bytes.startsWith(start), bytes.left(16).constData());
    if (kind == "stl") QVERIFY(bytes.size() > 84 + 50);
    return;
  }
  QVERIFY2(run.Code == 1, qPrintable(run.Output));
  QVERIFY2(run.Output.contains(reason), qPrintable(run.Output));
  if (target == Fifo) QVERIFY(std::filesystem::is_fifo(native.constData()));
  if (target == MissingFolder) QVERIFY(!QFileInfo::exists(QDir(folder).filePath("nosuchdir")));
  if (target != Fifo && target != MissingFolder)
    QVERIFY2(run.Output.contains("old:kept"), qPrintable(run.Output));
  if (target == ReadOnlyFile || target == OtherUsersFile) {
    struct stat st {};
    QCOMPARE(stat(native.constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, target == ReadOnlyFile ? 0444u : 0666u);
    QCOMPARE(st.st_uid, target == ReadOnlyFile ? user : 0u);
  }
}

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "--save") == 0) return SaveAsChild(argc, argv);
  QCoreApplication app(argc, argv);
  TestExportFiles test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_exportfiles.moc"
