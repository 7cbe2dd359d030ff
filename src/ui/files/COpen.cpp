#include "ui/files/COpen.h"

#include "core/data/CPublic.h"
#include "platform/DeviceFolders.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"

#include "ui/files/DocumentExportJob.h"
#include "ui/panel/ProgressBox.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr QRect kOpenGeometry(80, 40, 650, 460);
constexpr QRect kExportGeometry(5, 50, 790, 420);
constexpr QRect kOpenListArea(10, 10, 630, 372);
constexpr QRect kExportListArea(5, 5, 630, 410);
constexpr int kListFontPixels = 17;

struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {{"文件号", 60}, {"文件名称", 190}, {"文件大小", 130}, {"创建日期", 229}};

// Captions and messages of the two transfers to the USB disk.
struct TransferTexts {
    const char* none;
    const char* several;
    const char* succeeded;
    const char* failed;
};
constexpr TransferTexts kCopyTexts{"请选中要复制的文件！", "是否复制全部所选文件若有相同文件并替换？",
                                   "所选文件复制成功！", "所选文件复制失败！"};
constexpr TransferTexts kCutTexts{"请选中要剪切的文件！", "是否剪切全部所选文件若有相同文件并替换？",
                                  "所选文件剪切成功！", "所选文件剪切失败！"};

QPushButton* CreateButton(QWidget* parent, int id, const char* caption, const QRect& area) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(ControlName(id));
    button->setGeometry(area);
    return button;
}

QTableWidgetItem* CentredItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    // Ticks follow the file manager's tap rule, not the list's own toggling.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The file-name part of a device path: the text after its last "\".
QString DeviceFileName(const QString& devicePath) {
    return devicePath.mid(devicePath.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

COpen::COpen(Mode mode, Links links, const DataFiles& files, Prompter& prompter,
             TestDocumentWriter writeDocuments, QWidget* parent)
    : PanelDialog(Placement::FullScreen, (mode == Mode::Open ? kOpenGeometry : kExportGeometry).size(),
                  parent),
      m_mode(mode), m_links(links), m_files(files), m_prompter(prompter),
      m_writeDocuments(std::move(writeDocuments)) {
    CreateControls();
    FillFileList();
    if (m_mode == Mode::Open) {
        setWindowTitle(QStringLiteral("打开文件"));
    } else {
        setWindowTitle(QStringLiteral("数据导出"));
    }
    ShowControlsOf(m_mode);
}

void COpen::CreateControls() {
    m_list = new QTableWidget(Body());
    m_list->setObjectName(ControlName(kFileList));
    QFont listFont(QStringLiteral("宋体"));
    listFont.setPixelSize(kListFontPixels);
    m_list->setFont(listFont);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->setColumnCount(static_cast<int>(std::size(kColumns)));
    for (int c = 0; c < m_list->columnCount(); ++c) {
        auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[c].caption));
        header->setTextAlignment(Qt::AlignCenter);
        m_list->setHorizontalHeaderItem(c, header);
        m_list->setColumnWidth(c, kColumns[c].width);
    }
    m_list->horizontalHeader()->setEnabled(false);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(m_list, &QTableWidget::cellClicked, this, [this] {
        if (m_mode == Mode::Export)
            OnTickToggle();
    });

    m_tickAll = new QCheckBox(QStringLiteral("全选"), Body());
    m_tickAll->setObjectName(ControlName(kTickAll));
    m_tickAll->setGeometry(645, 8, 140, 32);
    connect(m_tickAll, &QCheckBox::clicked, this, &COpen::OnTickAll);
    connect(CreateButton(Body(), kCopy, "复制到U盘", QRect(645, 48, 140, 48)), &QPushButton::clicked, this,
            [this] { OnTransfer(Transfer::Copy); });
    m_cut = CreateButton(Body(), kCut, "剪切到U盘", QRect(645, 104, 140, 48));
    connect(m_cut, &QPushButton::clicked, this, [this] { OnTransfer(Transfer::Cut); });
    m_delete = CreateButton(Body(), kDelete, "删除文件", QRect(645, 160, 140, 48));
    connect(m_delete, &QPushButton::clicked, this, &COpen::OnDelete);
    connect(CreateButton(Body(), kExportExit, "退出", QRect(645, 216, 140, 48)), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(CreateButton(Body(), kReport, "导出报告", QRect(645, 272, 140, 44)), &QPushButton::clicked, this,
            &COpen::OnExportDocuments);
    auto* hint =
        new QLabel(QStringLiteral("提示：１、导出数据前请检查，仪器的USB口是否已经接上U盘。"
                                  "２、对数据操作前，需选中文件名前的复选框，可以选中一个也可多个。"),
                   Body());
    hint->setObjectName(ControlName(kHint));
    // Smaller than the buttons' text so that the whole hint fits below "导出报告".
    QFont hintFont = hint->font();
    hintFont.setPixelSize(12);
    hint->setFont(hintFont);
    hint->setGeometry(645, 320, 140, 96);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(CreateButton(Body(), kOpen, "打开", QRect(170, 396, 120, 48)), &QPushButton::clicked, this,
            &COpen::OnOpen);
    connect(CreateButton(Body(), kLeave, "退出", QRect(360, 396, 120, 48)), &QPushButton::clicked, this,
            &COpen::OnLeave);
}

void COpen::ShowControlsOf(Mode mode) {
    const bool exporting = mode == Mode::Export;
    m_list->setGeometry(exporting ? kExportListArea : kOpenListArea);
    for (const int id : {kTickAll, kCopy, kCut, kDelete, kHint, kExportExit})
        findChild<QWidget*>(ControlName(id))->setVisible(exporting);
    for (const int id : {kOpen, kLeave})
        findChild<QWidget*>(ControlName(id))->setVisible(!exporting);
    findChild<QWidget*>(ControlName(kReport))->setVisible(exporting && m_writeDocuments);
}

void COpen::FillFileList() {
    m_fileEntries.clear();
    m_names.clear();
    m_list->setRowCount(0);
    m_inUseName.clear();
    // The new rows start unticked.
    m_inUseTicks = 0;
    EnableCutAndDelete(true);

    m_fileEntries = m_files.List();
    const bool running = m_links.pub.run.View().running;
    const QString inUse = DeviceFileName(m_links.pub.dataFilePath);
    m_list->setRowCount(static_cast<int>(m_fileEntries.size()));
    for (int k = 0; k < m_list->rowCount(); ++k) {
        const StoredFile& entry = m_fileEntries[static_cast<std::size_t>(k)];
        QString number = QString::asprintf("%d", k + 1);
        if (running && entry.name == inUse) {
            m_inUseName = entry.name;
            number += QStringLiteral("★");
        }
        QTableWidgetItem* first = CentredItem(number);
        if (m_mode == Mode::Export)
            first->setCheckState(Qt::Unchecked);
        m_list->setItem(k, 0, first);
        m_list->setItem(k, 1, CentredItem(entry.name));
        m_list->setItem(k, 2, CentredItem(FileSizeText(entry.size)));
        m_list->setItem(k, 3, CentredItem(FileDateText(entry.created)));
        m_names.append(entry.name);
    }
    if (m_list->rowCount() > 0)
        m_list->scrollToItem(m_list->item(m_list->rowCount() - 1, 0));
}

// --- open mode -------------------------------------------------------------------

void COpen::OnOpen() {
    if (m_names.isEmpty()) {
        m_links.fileMode = 0;
        QDialog::reject();
        return;
    }
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        Tell(QStringLiteral("请选中要打开的文件！"));
        return;
    }
    const QString name = m_names.at(selected.front().row());
    if (!m_files.Stored(name)) {
        // Gone, or no longer a plain file, since the list was filled.
        FillFileList();
        return;
    }
    m_links.pub.dataFilePath = DevicePath::kAppFolder + name;
    m_links.fileChosen = true;
    m_links.fileOpenRequested = true;
    accept();
}

void COpen::OnLeave() {
    if (!m_links.fileChosen)
        m_links.fileMode = 0;
    QDialog::reject();
}

void COpen::reject() {
    if (m_mode == Mode::Open)
        OnLeave();
    else
        QDialog::reject();
}

// --- ticks -----------------------------------------------------------------------

bool COpen::Ticked(int row) const {
    return m_list->item(row, 0)->checkState() == Qt::Checked;
}

void COpen::SetTicked(int row, bool ticked) {
    m_list->item(row, 0)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void COpen::EnableCutAndDelete(bool enabled) {
    m_cut->setEnabled(enabled);
    m_delete->setEnabled(enabled);
}

void COpen::OnTickToggle() {
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows()) {
        const int row = index.row();
        const bool ticked = !Ticked(row);
        SetTicked(row, ticked);
        if (m_inUseName.isEmpty() || m_names.at(row) != m_inUseName)
            continue;
        if (ticked) {
            EnableCutAndDelete(false);
            ++m_inUseTicks;
        } else if (--m_inUseTicks <= 0) {
            m_inUseTicks = 0;
            EnableCutAndDelete(true);
        }
    }
}

void COpen::OnTickAll() {
    const bool ticked = m_tickAll->isChecked();
    if (ticked) {
        if (m_links.pub.run.View().running) {
            EnableCutAndDelete(false);
            // Every row is ticked, so the in-use row is ticked exactly once,
            // however it was ticked before.
            if (!m_inUseName.isEmpty())
                m_inUseTicks = 1;
        }
    } else {
        EnableCutAndDelete(true);
        m_inUseTicks = 0;
    }
    for (int row = 0; row < m_list->rowCount(); ++row)
        SetTicked(row, ticked);
}

bool COpen::CollectChecked(const char* noneMessage) {
    m_checkedItems.clear();
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (Ticked(row))
            m_checkedItems.push_back(row);
    }
    if (m_checkedItems.empty()) {
        Tell(QString::fromUtf8(noneMessage));
        return false;
    }
    return true;
}

QString COpen::CheckedName(int index) const {
    return m_names.at(m_checkedItems.at(static_cast<std::size_t>(index)));
}

void COpen::Tell(const QString& text) {
    m_prompter.Information(QString(), text);
}

// --- copy, cut, delete -------------------------------------------------------------

void COpen::OnTransfer(Transfer transfer) {
    const TransferTexts& texts = transfer == Transfer::Copy ? kCopyTexts : kCutTexts;
    if (!CollectChecked(texts.none))
        return;
    if (!m_files.UsbPresent()) {
        Tell(QStringLiteral("请插入U盘！"));
        return;
    }
    const int count = static_cast<int>(m_checkedItems.size());
    if (transfer == Transfer::Cut) {
        for (int i = 0; i < count; ++i) {
            if (!m_inUseName.isEmpty() && CheckedName(i) == m_inUseName) {
                Tell(QStringLiteral("文件") + m_inUseName + QStringLiteral("正在使用不能剪切！"));
                return;
            }
        }
    }
    if (!ReplaceOnUsbAgreed({CheckedName(0)}, texts.several))
        return;

    bool succeeded = true;
    // The files after a failed one are left as they are: a pulled or full
    // disk would fail them too.
    for (int i = 0; i < count && succeeded; ++i) {
        const QString name = CheckedName(i);
        succeeded = transfer == Transfer::Copy ? m_files.CopyToUsb(name) : m_files.CutToUsb(name);
    }
    Tell(QString::fromUtf8(succeeded ? texts.succeeded : texts.failed));
    if (succeeded)
        m_checkedItems.clear();
    if (transfer == Transfer::Cut) {
        FillFileList();
        m_tickAll->setChecked(false);
    }
}

bool COpen::ReplaceOnUsbAgreed(const QStringList& names, const char* severalQuestion) {
    if (m_checkedItems.size() > 1)
        return m_prompter.Question(QString(), QString::fromUtf8(severalQuestion));
    for (const QString& name : names) {
        if (m_files.OnUsb(name))
            return m_prompter.Question(QString(),
                                       QStringLiteral("已存在") + name + QStringLiteral("文件，是否替换？"));
    }
    return true;
}

void COpen::OnDelete() {
    if (!CollectChecked("请选中要删除的文件！"))
        return;
    const QString refusal = QStringLiteral("正在使用不能删除！");
    bool succeeded = true;
    if (m_checkedItems.size() == 1) {
        const QString name = CheckedName(0);
        if (!m_inUseName.isEmpty() && name == m_inUseName) {
            Tell(QStringLiteral("文件") + name + refusal);
            succeeded = false;
        } else if (!m_prompter.Question(QString(),
                                        QStringLiteral("确定删除") + name + QStringLiteral("文件？"))) {
            return;
        } else {
            succeeded = m_files.Remove(name);
        }
    } else {
        if (!m_prompter.Question(QString(), QStringLiteral("是否删除全部所选文件？")))
            return;
        for (int i = 0; i < static_cast<int>(m_checkedItems.size()); ++i) {
            const QString name = CheckedName(i);
            if (!m_inUseName.isEmpty() && name == m_inUseName) {
                Tell(QStringLiteral("文件") + name + refusal);
                succeeded = false;
            } else if (!m_files.Remove(name)) {
                succeeded = false;
            }
        }
    }
    Tell(succeeded ? QStringLiteral("所选文件删除成功！") : QStringLiteral("所选文件删除失败！"));
    if (succeeded)
        m_checkedItems.clear();
    FillFileList();
    m_tickAll->setChecked(false);
}

// --- reports ---------------------------------------------------------------------

void COpen::OnExportDocuments() {
    if (!CollectChecked("请选中要导出报告的文件！"))
        return;
    if (!m_files.UsbPresent()) {
        Tell(QStringLiteral("请插入U盘！"));
        return;
    }
    if (!ReplaceOnUsbAgreed(TestDocumentNames(CheckedName(0)),
                            "是否导出全部所选文件的报告若有相同文件并替换？"))
        return;
    const bool succeeded = RunDocumentExport(m_checkedItems);
    Tell(succeeded ? QStringLiteral("所选文件报告导出成功！") : QStringLiteral("所选文件报告导出失败！"));
    if (succeeded)
        m_checkedItems.clear();
}

bool COpen::RunDocumentExport(const std::vector<int>& rows) {
    std::vector<DocumentExportJob::DataFile> dataFiles;
    for (const int row : rows) {
        const QString name = m_names.at(row);
        const QString path = m_files.StoredPath(name);
        if (path.isEmpty())
            return false; // gone since the list was filled
        dataFiles.push_back({name, path});
    }
    const int count = static_cast<int>(dataFiles.size());
    ProgressBox progress(QStringLiteral("导出报告"), count, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.ShowStep(0, QStringLiteral("正在导出报告…"));
    progress.show();

    DocumentExportJob job(m_writeDocuments, m_files.UsbFolder(), std::move(dataFiles));
    QEventLoop untilDone;
    bool succeeded = false;
    connect(&job, &DocumentExportJob::FileStarted, &progress,
            [&progress](int index, int total, const QString& name) {
                progress.ShowStep(
                    index, QStringLiteral("正在导出报告 %1/%2：%3").arg(index + 1).arg(total).arg(name));
            });
    connect(&job, &DocumentExportJob::Finished, &untilDone, [&](bool ok) {
        succeeded = ok;
        untilDone.quit();
    });
    job.Start();
    // The main window's tick goes on while the reports are drawn.
    untilDone.exec();
    progress.close();
    return succeeded;
}
