#pragma once
// The file a PDF print job writes, through a device that keeps the first
// write error, so that a job on a full disk fails instead of leaving a broken
// file. A regular file is written without a name and takes it only once it
// is complete, so a failed job leaves an older file of that name as it was.
#include <QIODevice>
#include <QString>
#include <memory>

namespace verno {

class UnnamedFile;

class PdfFile : public QIODevice {
public:
    explicit PdfFile(const QString &path);
    ~PdfFile() override;

    // Opens it for writing; false with failure() set.
    bool start();
    // After the last write: true when every byte was written and the file
    // has its name; false with failure() set.
    bool finish();
    bool failed() const { return !failure_.isEmpty(); }
    // "Cannot create file ...: reason" or "Cannot write file ...: reason".
    const QString &failure() const { return failure_; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    void fail(const char *what, int err);

    QString path_;
    std::unique_ptr<UnnamedFile> unnamed_;
    int fd_ = -1; // the device or file written directly
    QString failure_;
};

} // namespace verno
