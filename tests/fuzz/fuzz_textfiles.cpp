// Fuzzes the record file reader and writer: whatever bytes a file holds, reading it
// must not fail or misbehave, and must give what decoding the whole file at once
// gives; whatever text is written must read back as itself.
#include "storage/TextFiles.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The reader and writer work in pieces of 1 MiB and 256 Ki units; padding the fuzzer's
// bytes up to just before those edges puts them across a piece boundary.
constexpr qsizetype kReadPiece = 1024 * 1024;
constexpr qsizetype kWritePiece = 256 * 1024;

const QString& scratchPath()
{
    static const QString path = [] {
        const char* dir = std::getenv("FUZZ_SCRATCH_DIR");
        return QString::fromLocal8Bit(dir ? dir : "/tmp") + u"/kestrova-fuzz-%1.kiv"_s.arg(getpid());
    }();
    return path;
}

// What reading the file must give: one leading mark dropped, the rest decoded in one go.
QString expectedText(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Without ConvertInitialBom the decoder would silently drop a second mark too.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

void checkRead(const QByteArray& bytes)
{
    QFile file(scratchPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        abort();
    file.close();
    QString text = u"left over"_s;
    if (!ReadUtf8File(scratchPath(), text))
        abort();
    if (text != expectedText(bytes))
        abort();
}

void checkRoundTrip(const QString& text)
{
    if (!WriteUtf8File(scratchPath(), text))
        abort();
    QFile file(scratchPath());
    if (!file.open(QIODevice::ReadOnly))
        abort();
    const QByteArray bytes = file.readAll();
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QByteArray body = encoder.encode(text);
    if (bytes != QByteArray("\xEF\xBB\xBF") + body)
        abort();
    // Compared with the whole file: a text that itself starts with U+FEFF keeps it,
    // as only the one mark the writer added is dropped.
    QString back;
    if (!ReadUtf8File(scratchPath(), back) || back != expectedText(bytes))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray payload(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    switch (mode % 8) {
    case 0:
    case 1:
    case 2: // the bytes as a file of their own
        checkRead(payload);
        break;
    case 3: { // the same bytes across the reader's piece boundary
        const qsizetype before = qMax<qsizetype>(0, kReadPiece - 8 + (mode >> 3) % 16 - payload.size() / 2);
        checkRead(QByteArray(before, 'a') + payload);
        break;
    }
    case 4:
    case 5:
    case 6: { // the bytes as UTF-16 units (lone surrogates and all), written and read back
        const QString text(reinterpret_cast<const QChar*>(payload.constData()), payload.size() / 2);
        checkRoundTrip(text);
        break;
    }
    default: { // the same units across the writer's piece boundary
        const QString text(reinterpret_cast<const QChar*>(payload.constData()), payload.size() / 2);
        const qsizetype before = qMax<qsizetype>(0, kWritePiece - 4 + (mode >> 3) % 8 - text.size() / 2);
        checkRoundTrip(QString(before, u'b') + text);
        break;
    }
    }
    return 0;
}
