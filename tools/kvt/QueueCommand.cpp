#include "Commands.h"

#include "core/data/KVTFile.h"
#include "core/remote/UploadFrameText.h"

int RunQueue(const QStringList& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fputs("usage: kvt queue FILE\n", stderr);
        return 2;
    }
    QByteArray bytes;
    if (!ReadHostFile(args.first(), bytes))
        return 1;
    for (const UploadFrame& frame : ParseUploadQueue(bytes))
        std::fprintf(out, "%s\n", DescribeUploadFrame(frame).constData());
    return 0;
}
