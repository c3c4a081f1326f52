#include "storage/TextFiles.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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
    // Every UTF-16 unit takes at least one byte, so a text this long cannot fit; spare the encoding.
    if (text.size() > TextFiles::MaxFileSize - ByteOrderMarkSize)
        return false;

    // Lone surrogates become U+FFFD (toUtf8() would write '?').
    QStringEncoder encoder(QStringConverter::Utf8);
    const QByteArray body = encoder.encode(text);
    // A file the reader would refuse is not written: it could never be opened again.
    if (ByteOrderMarkSize + body.size() > TextFiles::MaxFileSize)
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(ByteOrderMark, ByteOrderMarkSize) != ByteOrderMarkSize
        || file.write(body) != body.size()) {
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return false;
    }
    return file.commit();
}

bool ReadUtf8File(const QString& path, QString& text)
{
    text.clear();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 size = file.size();
    if (size < 0 || size > TextFiles::MaxFileSize)
        return false;

    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0 && file.read(bytes.data(), size) != size)
        return false;
    file.close();

    QByteArrayView content(bytes);
    if (content.startsWith(QByteArrayView(ByteOrderMark, ByteOrderMarkSize)))
        content = content.sliced(ByteOrderMarkSize);
    // Only the one mark is dropped: a second one stays in the text as U+FEFF
    // (QString::fromUtf8 would skip it). Malformed bytes become U+FFFD.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    text = decoder.decode(content);
    return true;
}
