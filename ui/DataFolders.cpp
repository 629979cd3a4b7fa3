#include "ui/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "tables/AtomicFile.h"
#include "ui/Language.h"

namespace {
const char* const IniSavesFolder = "IniSaves";
QString ChosenDataFolder; // empty until start-up chooses: the current directory
} // namespace

QString InstalledDataFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/termix");
}

QString ResourcePath(const QString& relativePath) {
  const QFileInfo local(QDir::current(), relativePath);
  if (local.isFile()) return local.absoluteFilePath();
  const QFileInfo installed(QDir(InstalledDataFolder()), relativePath);
  if (installed.isFile()) return installed.absoluteFilePath();
  return QStringLiteral(":/") + relativePath;
}

QString DataFolder() {
  return ChosenDataFolder.isEmpty() ? QDir::currentPath() : ChosenDataFolder;
}

QString DataFilePath(const QString& relativePath) {
  return QDir(DataFolder()).filePath(relativePath);
}

QString ChooseDataFolder() {
  if (QFileInfo(QDir::current(), IniSavesFolder).isDir()) {
    ChosenDataFolder = QDir::currentPath();
    SweepStaleTemporaries();
    return ChosenDataFolder;
  }
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  // Without a user data folder (no home) the current directory stays the data folder; a
  // folder that cannot be made shows up as the table window's save error later.
  if (userFolder.isEmpty()) {
    ChosenDataFolder = QDir::currentPath();
    SweepStaleTemporaries();
    return ChosenDataFolder;
  }
  QDir(userFolder).mkpath(IniSavesFolder);
  ChosenDataFolder = userFolder;
  SweepStaleTemporaries();
  return ChosenDataFolder;
}

void SweepStaleTemporaries() {
  for (const QString& folder : {DataFilePath(IniSavesFolder), QDir::currentPath()})
    TABLESTRUCT::removeStaleTempFiles(QFile::encodeName(folder).toStdString());
}

QString DataFolderProblem() {
  return ShowText(TABLESTRUCT::FolderWriteReason(
      QFile::encodeName(DataFilePath(IniSavesFolder)).toStdString()));
}
