#include "core/data/DeviceText.h"

#include <QList>

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

// One conversion through iconv; invalid input is replaced one unit at a time
// by `replacement` so a damaged text still shows what can be read.
QByteArray Convert(const char* to, const char* from, const QByteArray& input, std::size_t inputUnit,
                   const QByteArray& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray output;
    std::vector<char> buffer(static_cast<std::size_t>(input.size()) * 4 + 16);
    char* in = const_cast<char*>(input.constData());
    std::size_t inLeft = static_cast<std::size_t>(input.size());
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), static_cast<qsizetype>(buffer.size() - outLeft));
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: skip one unit of input and mark it.
        output.append(replacement);
        const std::size_t skip = std::min(inputUnit, inLeft);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return output;
}

} // namespace

namespace DeviceText {

QByteArray FromUnicode(const QString& text) {
    // UTF-32 so that one unit is one character, surrogate pairs included.
    const QList<uint> ucs4 = text.toUcs4();
    const QByteArray utf32(reinterpret_cast<const char*>(ucs4.constData()), ucs4.size() * 4);
    return Convert("GBK", "UTF-32LE", utf32, 4, QByteArrayLiteral("?"));
}

QString ToUnicode(const QByteArray& bytes) {
    const QByteArray utf16 = Convert("UTF-16LE", "GBK", bytes, 1, QByteArrayLiteral("\xFD\xFF"));
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

} // namespace DeviceText
