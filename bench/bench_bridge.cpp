// Round trip of the script bridge: write a text into the page's buffer and read it
// back, for record-like text and for text made only of non-ASCII code units, at
// 1 Ki, 1 Mi and 32 Mi UTF-16 code units. Reports the time of each step and the peak
// resident memory of the whole process tree (this process and the engine's helpers).
//
//   QT_QPA_PLATFORM=offscreen ./bench_bridge [rounds]
#include "host/WebHost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>
#include <vector>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Resident memory of the process and all of its descendants, in bytes.
qint64 treeRss(pid_t root)
{
    std::map<pid_t, pid_t> parents;
    std::map<pid_t, qint64> rss;
    const QStringList entries = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (!isPid)
            continue;
        QFile status(u"/proc/"_s + entry + u"/status"_s);
        if (!status.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = status.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("PPid:"))
                parents[pid] = pid_t(line.mid(5).trimmed().toInt());
            else if (line.startsWith("VmRSS:"))
                rss[pid] = line.mid(6).trimmed().split(' ').constFirst().toLongLong() * 1024;
        }
    }
    qint64 total = 0;
    for (const auto& [pid, bytes] : rss) {
        for (pid_t p = pid; p > 1; p = parents.count(p) ? parents[p] : 0) {
            if (p == root) {
                total += bytes;
                break;
            }
        }
    }
    return total;
}

class PeakSampler
{
public:
    PeakSampler()
        : m_thread([this] {
              while (!m_stop) {
                  const qint64 now = treeRss(getpid());
                  if (now > m_peak)
                      m_peak = now;
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~PeakSampler()
    {
        m_stop = true;
        m_thread.join();
    }
    qint64 peak() const { return m_peak; }
    void reset() { m_peak = 0; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_peak{0};
    std::thread m_thread;
};

// Text shaped like a saved record: JSON with names, dates, free-text notes, a few
// accented letters and line breaks.
QString recordLike(qsizetype units)
{
    const QString entry = uR"({"patient":{"lastName":"Müller-Øster","firstName":"José","dob":"1979-03-14"},)"
                          uR"("visit":{"date":"2024-11-02","bp":"128/82","pulse":"72"},)"
                          uR"("notes":"Driver reports no medication changes; vision 20/20 both eyes.\nFollow-up in 12 months."},)"
                          u"\n"_s;
    QString text;
    text.reserve(units);
    while (text.size() < units)
        text += entry;
    text.truncate(units);
    return text;
}

// Nothing but non-ASCII: CJK, Greek, Cyrillic, combining marks, U+2028, surrogate
// pairs and the odd lone surrogate, so every unit needs escaping in a script literal.
QString nonAscii(qsizetype units)
{
    const QString cycle = u"患者記録Ωμέγαзаписьé\u2028\u0301"_s + QString::fromUcs4(U"\U0001F600\U00010348")
                          + QChar(char16_t(0xD800)) + u"ü"_s;
    QString text;
    text.reserve(units);
    while (text.size() < units)
        text += cycle;
    text.truncate(units);
    // Never cut a pair in two: the last unit stays a plain letter.
    text[units - 1] = u'ß';
    return text;
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 1;

    PeakSampler sampler;
    int failures = 0;
    {
        WebHost host;
        host.setScriptTimeout(120000);
        QEventLoop loading;
        bool loaded = false;
        QObject::connect(&host, &WebHost::documentComplete, &loading, [&] {
            loaded = true;
            loading.quit();
        });
        QTimer::singleShot(60000, &loading, &QEventLoop::quit);
        host.navigate(QUrl::fromLocalFile(QStringLiteral(KESTROVA_BUILD_DIR) + u"/html/kestrova.html"_s));
        loading.exec();
        if (!loaded) {
            std::fprintf(stderr, "the forms page did not load\n");
            return 1;
        }
        std::printf("idle process tree: %.0f MiB\n", double(treeRss(getpid())) / (1 << 20));
        std::printf("%-10s %10s %9s %9s %9s %12s\n", "text", "units", "write s", "read s", "total s",
                    "peak MiB");

        const std::vector<std::pair<const char*, QString (*)(qsizetype)>> kinds = {
            {"record", recordLike}, {"non-ascii", nonAscii}};
        for (const qsizetype units : {qsizetype(1) << 10, qsizetype(1) << 20, qsizetype(32) << 20}) {
            for (const auto& [name, make] : kinds) {
                const QString text = make(units);
                for (int round = 0; round < rounds; ++round) {
                    sampler.reset();
                    QElapsedTimer timer;
                    timer.start();
                    const bool written = host.writeBuffer(text);
                    const double writeSeconds = seconds(timer);
                    timer.restart();
                    QString back;
                    const bool read = host.readBuffer(back);
                    const double readSeconds = seconds(timer);
                    const bool same = written && read && back == text;
                    if (!same)
                        ++failures;
                    std::printf("%-10s %10lld %9.3f %9.3f %9.3f %12.0f%s\n", name, static_cast<long long>(units),
                                writeSeconds, readSeconds, writeSeconds + readSeconds,
                                double(sampler.peak()) / (1 << 20), same ? "" : "  MISMATCH");
                    std::fflush(stdout);
                    host.writeBuffer(QString());
                }
            }
        }
    }
    std::printf("%s\n", failures ? "FAILED: a text did not come back unchanged" : "all texts came back unchanged");
    return failures ? 1 : 0;
}
