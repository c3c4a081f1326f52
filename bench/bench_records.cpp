// Open and Save of a record through the real forms page: file to page (read, buffer,
// the page's own load) and page to file (the page's collect, buffer, write).
//   bench_records            50 KB and 32 MiB records, several runs, median times

#include "host/Prompts.h"
#include "storage/TextFiles.h"
#include "view/CKestrovaView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A record of about the given size: a filled visit plus notes of a form this version
// of the page does not know, which it must keep as they are.
QString recordOfSize(qsizetype bytes)
{
    QJsonObject patient{{u"lastName"_s, u"TEST"_s}, {u"firstName"_s, u"Patient"_s}, {u"dob"_s, u"1980-01-02"_s}};
    QJsonObject notes;
    const qsizetype valueLength = 50000;
    const QString filler = QString(valueLength, u'x');
    qsizetype total = 200;
    for (int i = 0; total + valueLength + 16 < bytes; ++i) {
        notes.insert(u"note%1"_s.arg(i, 4, 10, QLatin1Char('0')), filler);
        total += valueLength + 16;
    }
    if (bytes - total > 16)
        notes.insert(u"tail"_s, QString(bytes - total - 16, u'y'));
    QJsonObject record{{u"format"_s, u"kestrova-record"_s},
                       {u"version"_s, 1},
                       {u"shared"_s, QJsonObject{{u"patient"_s, patient}}},
                       {u"formData"_s, QJsonObject{{u"future-form"_s, notes}}}};
    return QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    Prompts::setTestMode(true);

    CKestrovaView view;
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(view.host(), &WebHost::documentComplete, &loop, [&] { loaded = true; loop.quit(); });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    view.LoadHtmlInterfaceFrom(QStringLiteral(KESTROVA_BUILD_DIR));
    loop.exec();
    if (!loaded) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    view.host()->setScriptTimeout(120000);

    std::printf("%-10s %12s %12s %10s\n", "record", "open ms", "save ms", "same bytes");
    for (const auto& [name, bytes, runs] : {std::tuple{"50 KB", qsizetype(50 * 1000), 9},
                                             std::tuple{"32 MiB", qsizetype(32 * 1000 * 1000), 3}}) {
        const QString path = GetRecordsFolder() + u"/bench.kiv"_s;
        const QString text = recordOfSize(bytes);
        WriteUtf8File(path, text);
        // The first save writes the page's own canonical form of the record.
        Prompts::setNextFileName(path);
        view.OpenRecord();
        view.SaveRecord(false);
        QFile original(path);
        original.open(QIODevice::ReadOnly);
        const QByteArray before = original.readAll();
        original.close();

        std::vector<double> opens, saves;
        bool same = true;
        for (int i = 0; i < runs; ++i) {
            Prompts::setNextFileName(path);
            QElapsedTimer timer;
            timer.start();
            view.OpenRecord();
            opens.push_back(timer.nsecsElapsed() / 1e6);
            timer.restart();
            view.SaveRecord(false);
            saves.push_back(timer.nsecsElapsed() / 1e6);
            QFile saved(path);
            saved.open(QIODevice::ReadOnly);
            same = same && saved.readAll() == before;
        }
        const bool failed = !Prompts::shownMessages().isEmpty();
        for (const auto& shown : Prompts::shownMessages())
            std::fprintf(stderr, "message: %s\n", qPrintable(shown.text));
        std::printf("%-10s %12.1f %12.1f %10s%s\n", name, median(opens), median(saves), same ? "yes" : "NO",
                    failed ? "  (a message was shown)" : "");
        Prompts::clearTestRecords();
    }
    return 0;
}
