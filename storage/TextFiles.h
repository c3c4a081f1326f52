#pragma once

#include <QString>

// The per-user data folder ("." when the system cannot tell where it is), created on each call.
QString GetDataFolder();
// The data folder's Records folder, created on each call.
QString GetRecordsFolder();
// Where the clinic defaults are kept; the file itself is never created here.
QString GetDefaultsFilePath();

// Writes the text as UTF-8 behind a byte-order mark. The file is replaced only once the
// whole text is on disk, so a failed write leaves an existing file as it was.
bool WriteUtf8File(const QString& path, const QString& text);
// Reads a whole UTF-8 file, with or without the mark. The text is empty after a failure.
bool ReadUtf8File(const QString& path, QString& text);

namespace TextFiles {

// Files above this size, mark included, are not read; nothing longer is written either.
inline constexpr qint64 MaxFileSize = 32 * 1024 * 1024;

// The steps of GetDataFolder and GetRecordsFolder after the folder lookup, so the
// fallback for a failed lookup (an empty base) can be exercised.
QString dataFolderUnder(const QString& appDataFolder);
QString recordsFolderIn(const QString& dataFolder);

} // namespace TextFiles
