#pragma once
// Where the program finds its pictures and help, and where it keeps its data files.
#include <QString>

// A picture or help file, given relative to the program's data ("Images/logo.bmp",
// "help/Polhelp.html"): the file under the current directory when it is there, else the
// installed copy (share/termix beside the program's bin folder), else the copy built into
// the program (a ":/" resource path).
QString ResourcePath(const QString& relativePath);
// The folder installed pictures and help are looked up in: share/termix beside the
// program's bin folder.
QString InstalledDataFolder();

// The folder that holds IniSaves/: the current directory, unless start-up chose another
// with ChooseDataFolder.
QString DataFolder();
// A data file, given relative to the data folder ("IniSaves/PolTable.ini").
QString DataFilePath(const QString& relativePath);
// Start-up rule: a current directory that holds an IniSaves folder is the data folder, as
// it always was; otherwise (started from the desktop menu, whose current directory is the
// home folder or "/", or from any folder without IniSaves) the user's data folder of the
// program (~/.local/share/termix) is, and its IniSaves folder is made when missing.
// Returns the folder chosen, after sweeping stale temporaries (SweepStaleTemporaries).
QString ChooseDataFolder();
// Removes the temporary files that killed writers left in the data folder's IniSaves and in the
// current directory, where the export dialogs open first.
void SweepStaleTemporaries();
// Why the table and formula files cannot be saved in the data folder's IniSaves (missing and
// not to be made, or read-only), in Russian; empty when they can.
QString DataFolderProblem();
