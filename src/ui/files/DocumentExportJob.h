#pragma once

#include "ui/files/TestDocumentWriter.h"

#include <QObject>
#include <QString>

#include <thread>
#include <vector>

// Writes the documents of several data files one after the other on a
// worker thread, so the screen (and the main window's one-second tick) keeps
// running while a long report is drawn. The worker gets copies of everything
// it uses; it reports back through queued calls on the thread that made the
// job. Files after a failed one are left, as copying leaves them: a pulled
// or full disk would fail them too.
class DocumentExportJob : public QObject {
    Q_OBJECT
  public:
    struct DataFile {
        QString name;     // as listed, e.g. "123456-0001.kvt"
        QString hostPath; // where it is read from
    };

    DocumentExportJob(TestDocumentWriter write, QString folder, std::vector<DataFile> files);
    ~DocumentExportJob() override; // waits for the worker

    // Starts the worker; call once.
    void Start();

  signals:
    // Before the documents of file `index` (0-based) of `count` are written.
    void FileStarted(int index, int count, const QString& name);
    // After the last file, or after the first that failed.
    void Finished(bool succeeded);

  private:
    void Work();

    const TestDocumentWriter m_write;
    const QString m_folder;
    const std::vector<DataFile> m_files;
    std::thread m_worker;
};
