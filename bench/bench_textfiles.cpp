// Times WriteUtf8File and ReadUtf8File against a plain QFile write and read of the same
// bytes, for a typical record and for one just under the 32 MiB read cap.
// Usage: bench_textfiles [folder]   (default: a temporary folder)

#include "storage/TextFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Record-like text: mostly ASCII with some two-byte letters, about `bytes` long in UTF-8.
QString makeText(qsizetype bytes)
{
    const QByteArray chunk =
        QByteArrayLiteral("{\"patient\":\"Ren\xC3\xA9" "e Dupr\xC3\xA9\",\"test\":\"audiogram\",\"result\":\"within limits\"},\n");
    QByteArray utf8 = chunk.repeated(bytes / chunk.size());
    utf8.append(bytes - utf8.size(), 'x');
    return QString::fromUtf8(utf8);
}

double medianMs(int repetitions, const std::function<bool()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run()) {
            std::fprintf(stderr, "a run failed\n");
            return -1;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool plainWrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool plainRead(const QString& path, qsizetype expected)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().size() == expected;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QFile::decodeName(argv[1]) : temporary.path();

    struct Case {
        const char* name;
        qsizetype bytes;
        int repetitions;
    };
    const Case cases[] = {
        {"50 KB", 50 * 1000, 101},
        {"32 MiB - 1 KiB", TextFiles::MaxFileSize - 3 - 1024, 9},
    };

    std::printf("%-16s %10s %10s %10s %10s %8s %8s %8s\n", "size", "write ms", "plain ms", "read ms",
                "plain ms", "write x", "read x", "both x");
    for (const Case& c : cases) {
        const QString text = makeText(c.bytes);
        const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + QStringEncoder(QStringConverter::Utf8).encode(text);
        const QString layerPath = folder + u"/layer.kiv"_s;
        const QString plainPath = folder + u"/plain.kiv"_s;

        QString read;
        const double write = medianMs(c.repetitions, [&] { return WriteUtf8File(layerPath, text); });
        const double readMs = medianMs(c.repetitions, [&] { return ReadUtf8File(layerPath, read) && read.size() == text.size(); });
        const double pWrite = medianMs(c.repetitions, [&] { return plainWrite(plainPath, bytes); });
        const double pRead = medianMs(c.repetitions, [&] { return plainRead(plainPath, bytes.size()); });
        if (read != text || write < 0 || readMs < 0 || pWrite < 0 || pRead < 0) {
            std::fprintf(stderr, "%s: round trip failed\n", c.name);
            return 1;
        }
        std::printf("%-16s %10.3f %10.3f %10.3f %10.3f %8.2f %8.2f %8.2f\n", c.name, write, pWrite, readMs, pRead,
                    write / pWrite, readMs / pRead, (write + readMs) / (pWrite + pRead));
        QFile::remove(layerPath);
        QFile::remove(plainPath);
    }
    return 0;
}
