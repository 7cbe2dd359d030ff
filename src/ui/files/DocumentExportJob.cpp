#include "ui/files/DocumentExportJob.h"

#include <QMetaObject>
#include <QtGlobal>

DocumentExportJob::DocumentExportJob(TestDocumentWriter write, QString folder, std::vector<DataFile> files)
    : m_write(std::move(write)), m_folder(std::move(folder)), m_files(std::move(files)) {}

DocumentExportJob::~DocumentExportJob() {
    if (m_worker.joinable())
        m_worker.join();
}

void DocumentExportJob::Start() {
    m_worker = std::thread([this] { Work(); });
}

void DocumentExportJob::Work() {
    const int count = static_cast<int>(m_files.size());
    bool succeeded = true;
    for (int i = 0; i < count && succeeded; ++i) {
        const DataFile& file = m_files[static_cast<std::size_t>(i)];
        QMetaObject::invokeMethod(
            this, [this, i, count, name = file.name] { emit FileStarted(i, count, name); },
            Qt::QueuedConnection);
        const QString failure = m_write(file.hostPath, m_folder);
        if (!failure.isEmpty()) {
            // The screen says only that it failed; the reason goes to the log.
            qWarning("staticload: report export: %s", qPrintable(failure));
            succeeded = false;
        }
    }
    QMetaObject::invokeMethod(
        this, [this, succeeded] { emit Finished(succeeded); }, Qt::QueuedConnection);
}
