#pragma once
// The table window: owns the user's table in its three organisations, shows the table in use in
// a grid and is the one place where the table file is written.

#include <QWidget>

#include <memory>

class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLockFile;
class QRadioButton;
class QResizeEvent;
class QSpinBox;
class QTableView;
class TPolTableModel;

namespace TABLESTRUCT {
class TBasePTab;
class TPolScanTab;
class TPolSortTab;
class TPolHashTab;
} // namespace TABLESTRUCT

// Name of the table file, relative to the data folder (see DataFolders.h).
inline constexpr const char* PolTableFileName = "IniSaves/PolTable.ini";

class TForm2 : public QWidget {
  Q_OBJECT
public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // The organisation in use: one of ScanTab, SortTab, HashTab. Other windows read the table
  // only through the table model, which follows this pointer at every refresh.
  TABLESTRUCT::TBasePTab* CurTab = nullptr;
  // When true every RefreshGrid writes the table in use to the table file.
  bool SaveMode = false;

  // The three organisations, owned for the window's lifetime.
  std::unique_ptr<TABLESTRUCT::TPolScanTab> ScanTab;
  std::unique_ptr<TABLESTRUCT::TPolSortTab> SortTab;
  std::unique_ptr<TABLESTRUCT::TPolHashTab> HashTab;

  // The rows of the table in use: the grid shows them, the other windows read them.
  TPolTableModel* TableModel = nullptr;

  // True while the last save failed; the warning stays shown until a save succeeds.
  bool SaveFailed() const { return SaveFailedFlag; }

  // Controls (each also carries its name as objectName).
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RBScanTab = nullptr;
  QRadioButton* RBSortTab = nullptr;
  QRadioButton* RBHashTab = nullptr;
  QLabel* Label1 = nullptr;
  QSpinBox* CEHashTSize = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* LbSaveErr = nullptr;
  QLabel* LbNotice = nullptr;
  QTableView* SGPolTable = nullptr;

public slots:
  // Reloads the grid's rows, saves in save mode and tells the other windows (TableChanged).
  // Every change of the table ends here.
  void RefreshGrid();
  // The save warning's Yes: save mode on, and the table is saved at once.
  void SwitchSaveModeOn();
  void RBScanTabClick();
  void RBSortTabClick();
  void RBHashTabClick();
  void CEHashTSizeChange();
  // While a calculation runs the organisation and the hash size cannot be changed.
  void ShowCalculationRunning(bool running);

signals:
  // The table has changed and the grid shows it; the other windows' views follow.
  void TableChanged();
  // The window's close box was used.
  void Closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildWindowPicture();
  void BuildOrganisationGroup();
  void BuildSaveWarning();
  void BuildGrid();
  void FormCreate();
  void FormClose();
  void FormResize();
  void ReloadGridKeepingPlace();
  void SaveCurTab();
  void ShowFileProblem(const QString& text, const QString& hint);
  void ShowNotice(const QString& text);
  void SwitchTo(TABLESTRUCT::TBasePTab* target);

  bool SaveFailedFlag = false;
  // Held while the window lives: tells a second running copy that the data folder is in use.
  std::unique_ptr<QLockFile> DataLock;
};
