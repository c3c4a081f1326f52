#include "storage/TextFiles.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shlobj.h>
#else
#include <QStandardPaths>
#endif

using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_WIN
constexpr char16_t Separator = u'\\';
#else
constexpr char16_t Separator = u'/';
#endif

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype ByteOrderMarkSize = 3;
constexpr qsizetype WriteChunkUnits = 256 * 1024;
constexpr qsizetype ReadChunkBytes = 1024 * 1024;
constexpr qsizetype SmallReadBytes = 64 * 1024;

// The bytes of the last character of a piece that may continue in the next piece: from the
// last byte among the final four that starts a character. None when all four continue one.
qsizetype lastCharacterLength(QByteArrayView piece)
{
    for (qsizetype i = 1; i <= qMin(piece.size(), qsizetype(4)); ++i) {
        if ((uchar(piece[piece.size() - i]) & 0xC0) != 0x80)
            return i;
    }
    return 0;
}

QString appDataFolder()
{
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return QString::fromWCharArray(buffer);
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

} // namespace

namespace TextFiles {

QString dataFolderUnder(const QString& appDataFolder)
{
    if (appDataFolder.isEmpty())
        return u"."_s;
    const QString folder = appDataFolder + Separator + u"Quorvane"_s + Separator + u"Kestrova"_s;
    QDir().mkpath(folder);
    return folder;
}

QString recordsFolderIn(const QString& dataFolder)
{
    const QString folder = dataFolder + Separator + u"Records"_s;
    QDir().mkpath(folder);
    return folder;
}

} // namespace TextFiles

QString GetDataFolder()
{
    return TextFiles::dataFolderUnder(appDataFolder());
}

QString GetRecordsFolder()
{
    return TextFiles::recordsFolderIn(GetDataFolder());
}

QString GetDefaultsFilePath()
{
    return GetDataFolder() + Separator + u"clinic-defaults.json"_s;
}

bool WriteUtf8File(const QString& path, const QString& text)
{
    // Every UTF-16 unit takes at least one byte, so a text this long cannot fit.
    if (text.size() > TextFiles::MaxFileSize - ByteOrderMarkSize)
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Cancelling makes the QSaveFile drop its temporary file; the target is never touched.
    const auto fail = [&file] {
        file.cancelWriting();
        return false;
    };
    if (file.write(ByteOrderMark, ByteOrderMarkSize) != ByteOrderMarkSize)
        return fail();

    // Encoded piece by piece so a large text is never held twice. Lone surrogates
    // become U+FFFD (toUtf8() would write '?').
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QByteArray buffer(encoder.requiredSpace(WriteChunkUnits), Qt::Uninitialized);
    qint64 written = ByteOrderMarkSize;
    QStringView rest(text);
    while (!rest.isEmpty()) {
        qsizetype units = qMin(rest.size(), WriteChunkUnits);
        if (units < rest.size() && rest[units - 1].isHighSurrogate())
            --units; // keep a surrogate pair in one piece
        const qint64 bytes = encoder.appendToBuffer(buffer.data(), rest.first(units)) - buffer.data();
        written += bytes;
        // A file the reader would refuse must not replace one it can read.
        if (written > TextFiles::MaxFileSize)
            return fail();
        if (file.write(buffer.constData(), bytes) != bytes)
            return fail();
        rest = rest.sliced(units);
    }
    return file.commit();
}

bool ReadUtf8File(const QString& path, QString& text)
{
    text.clear();

    // Only a regular file holds a record. Opening a pipe would wait for a writer for
    // ever, and a device such as /dev/zero never ends.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 size = file.size();
    if (size < 0 || size > TextFiles::MaxFileSize)
        return false;

    // Read and decoded piece by piece, so the file's bytes are never all held beside the
    // text. A piece ends before the start of its last (possibly incomplete) character,
    // which decodes exactly as the whole file would, malformed bytes included.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString decoded(size, Qt::Uninitialized); // never more UTF-16 units than bytes
    qsizetype length = 0;
    // A small file needs no piece of full size (allocating one costs more than the read).
    QByteArray buffer(qBound<qint64>(SmallReadBytes, size + 1, ReadChunkBytes), Qt::Uninitialized);
    qsizetype pending = 0;
    qint64 total = 0;
    bool atStart = true;
    for (;;) {
        const qint64 got = file.read(buffer.data() + pending, buffer.size() - pending);
        if (got < 0)
            return false;
        total += got;
        if (total > TextFiles::MaxFileSize) // grew while being read
            return false;
        pending += got;
        const bool atEnd = got == 0;

        QByteArrayView piece(buffer.constData(), pending);
        if (atStart) {
            if (piece.size() < ByteOrderMarkSize && !atEnd)
                continue;
            // Only the one mark is dropped: a second one stays in the text as U+FEFF.
            if (piece.startsWith(QByteArrayView(ByteOrderMark, ByteOrderMarkSize)))
                piece = piece.sliced(ByteOrderMarkSize);
            atStart = false;
        }
        const qsizetype carried = atEnd ? 0 : lastCharacterLength(piece);
        piece.chop(carried);

        if (length + piece.size() > decoded.size())
            decoded.resize(length + piece.size());
        length = decoder.appendToBuffer(decoded.data() + length, piece) - decoded.constData();

        std::memmove(buffer.data(), piece.end(), carried);
        pending = carried;
        if (atEnd)
            break;
    }
    decoded.truncate(length);
    text = std::move(decoded);
    return true;
}
