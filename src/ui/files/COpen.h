#pragma once

#include "core/files/DataFiles.h"
#include "ui/files/TestDocumentWriter.h"

#include "ui/panel/PanelDialog.h"
#include <QStringList>

#include <vector>

class Prompter;
class QCheckBox;
class QPushButton;
class QTableWidget;
struct CPublic;

// The file manager: lists the test data files of "\硬盘\APP\" and either
// opens one for viewing ("打开文件") or copies, cuts and deletes them
// ("数据导出") to and from the USB disk, where it also writes the report and
// the CSV export of tests ("导出报告").
class COpen : public PanelDialog {
    Q_OBJECT
  public:
    enum class Mode { Open, Export };

    static constexpr int kFileList = 1064;
    static constexpr int kTickAll = 1042;
    static constexpr int kCopy = 1016;
    static constexpr int kCut = 1017;
    static constexpr int kDelete = 1018;
    static constexpr int kHint = 1044;
    static constexpr int kOpen = 1020;
    static constexpr int kLeave = 1043;      // open mode, below the list
    static constexpr int kExportExit = 1041; // export mode, beside the buttons
    static constexpr int kReport = 1045;     // export mode, only with a document writer

    // The main window's fields the file manager sets (user-interface thread).
    struct Links {
        int& fileMode;
        bool& fileChosen;
        bool& fileOpenRequested;
        CPublic& pub; // dataFilePath and whether a test runs
    };

    // Without `writeDocuments` the export mode offers no "导出报告".
    COpen(Mode mode, Links links, const DataFiles& files, Prompter& prompter,
          TestDocumentWriter writeDocuments = {}, QWidget* parent = nullptr);

    void FillFileList();

    void reject() override; // Escape or the window's close: as leaving

  private:
    enum class Transfer { Copy, Cut };

    void CreateControls();
    void ShowControlsOf(Mode mode);
    void OnOpen();
    void OnLeave();
    void OnTickToggle();
    void OnTickAll();
    void OnTransfer(Transfer transfer);
    void OnDelete();
    void OnExportDocuments();
    bool ReplaceOnUsbAgreed(const QStringList& names, const char* severalQuestion);
    bool RunDocumentExport(const std::vector<int>& rows);
    bool CollectChecked(const char* noneMessage);
    bool Ticked(int row) const;
    void SetTicked(int row, bool ticked);
    void EnableCutAndDelete(bool enabled);
    QString CheckedName(int index) const;
    void Tell(const QString& text);

    Mode m_mode;
    Links m_links;
    const DataFiles& m_files;
    Prompter& m_prompter;
    TestDocumentWriter m_writeDocuments;

    std::vector<StoredFile> m_fileEntries; // by row
    QStringList m_names;                   // file name of each row
    QString m_inUseName;                   // the running test's file; empty when none runs
    std::vector<int> m_checkedItems;       // ticked rows when an operation starts
    int m_inUseTicks = 0;                  // how often the in-use row is ticked

    QTableWidget* m_list = nullptr;
    QCheckBox* m_tickAll = nullptr;
    QPushButton* m_cut = nullptr;
    QPushButton* m_delete = nullptr;
};
