// Faults on save and open: whatever goes wrong with the disk or the chosen path, the
// record file that was there before keeps every byte, the user is told, and the next
// command works. Run as root, permission bits stop nothing, so the faults are real
// ones: a full file system, missing folders, a folder or a pipe where a file belongs,
// an unreadable file, and a writer killed half-way.

#include "host/Prompts.h"
#include "storage/TextFiles.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using EngineTest::fileBytes;
using EngineTest::messageTexts;

namespace {

const QString kSaveFailed = u"Could not save the occupational-health record."_s;
const QString kOpenFailed = u"Could not open the selected occupational-health record."_s;

bool putBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A record as the page writes it, with one patient name, padded to about `size` bytes.
QByteArray recordBytes(const QString& lastName, qsizetype size = 0)
{
    QByteArray text = "{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"lastName\":\""
                      + lastName.toUtf8() + "\",\"notes\":\"";
    text += QByteArray(qMax<qsizetype>(0, size - text.size() - 10), 'n');
    text += "\"}}}";
    return "\xEF\xBB\xBF" + text;
}

// True while the process holds a file open in the folder: the writer's temporary file,
// named or not (the file layer may write to an unnamed file and link it at the end).
bool isWritingInto(qint64 pid, const QString& folder)
{
    const QDir fds(u"/proc/%1/fd"_s.arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (fd.symLinkTarget().startsWith(folder + u'/'))
            return true;
    }
    return false;
}

// Lets the form hand over any text at the next collect, however large.
QString collectReturns(const QString& expression)
{
    return u"window.collectRecord = function () { return %1; };"_s.arg(expression);
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void writerKilledBeforeRenameLeavesOldFile();

private:
    QString currentRecordText();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_frame;
    std::unique_ptr<CKestrovaView> m_view;
    QString m_mounted;
};

void TestFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    EngineTest::useScratchData(m_dir->filePath(u"data"_s));
    Prompts::clearTestRecords();
    m_frame = std::make_unique<QWidget>();
    m_view = std::make_unique<CKestrovaView>();
    m_view->setFrame(m_frame.get());
    QVERIFY(EngineTest::loadFormsPage(*m_view));
}

void TestFaults::cleanup()
{
    m_view.reset();
    m_frame.reset();
    if (!m_mounted.isEmpty()) {
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
        m_mounted.clear();
    }
    m_dir.reset();
}

QString TestFaults::currentRecordText()
{
    if (!m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value=collectRecord();"_s))
        return u"<collect failed>"_s;
    QString text;
    m_view->ReadNativeBuffer(text);
    return text;
}

void TestFaults::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full") << u"disk-full"_s;
    QTest::newRow("folder removed while the dialog was open") << u"folder-removed"_s;
    QTest::newRow("parent is a file") << u"parent-is-file"_s;
    QTest::newRow("folder at the target") << u"folder-at-target"_s;
    QTest::newRow("record one byte over 32 MiB") << u"too-big"_s;
}

// Each fault is met twice: by Save onto the open record's own file (no dialog), and by
// Save As onto the faulty place. Neither may touch the file the record came from.
void TestFaults::failedSaveLosesNothing()
{
    QFETCH(QString, fault);
    const QString folder = m_dir->filePath(u"records"_s);
    QVERIFY(QDir().mkpath(folder));
    QString original = folder + u"/patient.kiv"_s;
    QString badTarget;
    QString recordText = u"'{\"format\":\"kestrova-record\",\"version\":1}'"_s;

    if (fault == u"disk-full") {
        const QString mountPoint = m_dir->filePath(u"small"_s);
        QVERIFY(QDir().mkpath(mountPoint));
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("Mounting a small tmpfs is not permitted here");
        m_mounted = mountPoint;
        original = mountPoint + u"/patient.kiv"_s;
        badTarget = original;
        recordText = u"'x'.repeat(100000)"_s;
    } else if (fault == u"folder-removed") {
        const QString gone = m_dir->filePath(u"gone"_s);
        QVERIFY(QDir().mkpath(gone));
        badTarget = gone + u"/new.kiv"_s;
        QVERIFY(QDir(gone).removeRecursively());
    } else if (fault == u"parent-is-file") {
        badTarget = original + u"/new.kiv"_s;
    } else if (fault == u"folder-at-target") {
        badTarget = folder + u"/folder.kiv"_s;
        QVERIFY(QDir().mkpath(badTarget));
        QVERIFY(putBytes(badTarget + u"/inside.kiv"_s, recordBytes(u"Inside"_s)));
    } else if (fault == u"too-big") {
        badTarget = folder + u"/too-big.kiv"_s;
        QVERIFY(putBytes(badTarget, recordBytes(u"Previous"_s)));
        // With the mark, one byte more than the reader accepts.
        recordText = u"'z'.repeat(%1)"_s.arg(TextFiles::MaxFileSize - 2);
    }

    // The record as it was opened; the form then changes, so a write would show.
    QVERIFY(putBytes(original, recordBytes(u"Original"_s, 40000)));
    Prompts::setNextFileName(original);
    m_view->OpenRecord();
    QCOMPARE(messageTexts(), QStringList());
    QCOMPARE(m_view->m_strRecordPath, original);
    QVERIFY(m_view->ExecuteScript(collectReturns(recordText)));

    const QByteArray originalBytes = fileBytes(original);
    const QByteArray badTargetBytes = fileBytes(badTarget);
    const QByteArray insideBytes = fileBytes(badTarget + u"/inside.kiv"_s);
    const QString title = m_frame->windowTitle();

    if (fault == u"disk-full" || fault == u"too-big") {
        m_view->SaveRecord(false);
        QCOMPARE(messageTexts(), QStringList{kSaveFailed});
    }
    Prompts::clearTestRecords();
    Prompts::setNextFileName(badTarget);
    m_view->SaveRecord(true);
    QCOMPARE(messageTexts(), QStringList{kSaveFailed});
    QCOMPARE(Prompts::shownMessages().constFirst().icon, Prompts::Icon::Error);

    QCOMPARE(fileBytes(original), originalBytes);
    QCOMPARE(fileBytes(badTarget), badTargetBytes);
    QCOMPARE(fileBytes(badTarget + u"/inside.kiv"_s), insideBytes);
    QCOMPARE(m_view->m_strRecordPath, original);
    QCOMPARE(m_frame->windowTitle(), title);
    // No half-written temporary file is left beside the record.
    QStringList leftovers = QDir(QFileInfo(original).path()).entryList(QDir::Files | QDir::Hidden);
    leftovers.removeAll(u"patient.kiv"_s);
    leftovers.removeAll(u"too-big.kiv"_s);
    QCOMPARE(leftovers, QStringList());

    // The program goes on: the same record saves to a sound place.
    QVERIFY(m_view->ExecuteScript(collectReturns(u"'{}'"_s)));
    Prompts::clearTestRecords();
    const QString good = m_dir->filePath(u"good.kiv"_s);
    Prompts::setNextFileName(good);
    m_view->SaveRecord(true);
    QCOMPARE(messageTexts(), QStringList());
    QCOMPARE(fileBytes(good), QByteArray("\xEF\xBB\xBF{}"));
    QCOMPARE(m_view->m_strRecordPath, good);
}

void TestFaults::failedOpenChangesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("missing folder") << u"missing-folder"_s;
    QTest::newRow("parent is a file") << u"parent-is-file"_s;
    QTest::newRow("a folder") << u"folder"_s;
    QTest::newRow("a pipe nobody writes to") << u"fifo"_s;
    QTest::newRow("an endless device") << u"device"_s;
    QTest::newRow("unreadable file") << u"unreadable"_s;
    QTest::newRow("one byte over 32 MiB") << u"too-big"_s;
}

void TestFaults::failedOpenChangesNothing()
{
    QFETCH(QString, fault);
    const QString opened = m_dir->filePath(u"opened.kiv"_s);
    QVERIFY(putBytes(opened, recordBytes(u"Shown"_s)));
    Prompts::setNextFileName(opened);
    m_view->OpenRecord();
    QCOMPARE(m_view->m_strRecordPath, opened);
    const QString shown = currentRecordText();
    QVERIFY(shown.contains(u"Shown"_s));

    QString path;
    if (fault == u"missing-folder") {
        path = m_dir->filePath(u"nowhere/record.kiv"_s);
    } else if (fault == u"parent-is-file") {
        path = opened + u"/record.kiv"_s;
    } else if (fault == u"folder") {
        path = m_dir->filePath(u"folder.kiv"_s);
        QVERIFY(QDir().mkpath(path));
    } else if (fault == u"fifo") {
        // Opening a pipe for reading waits for a writer: the program would hang.
        path = m_dir->filePath(u"pipe.kiv"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (fault == u"device") {
        path = u"/dev/zero"_s;
    } else if (fault == u"unreadable") {
        // A file whose every read fails, even for root.
        path = u"/proc/self/mem"_s;
    } else if (fault == u"too-big") {
        path = m_dir->filePath(u"big.kiv"_s);
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(TextFiles::MaxFileSize + 1));
    }

    Prompts::setNextFileName(path);
    m_view->OpenRecord();
    QCOMPARE(messageTexts(), QStringList{kOpenFailed});
    QCOMPARE(m_view->m_strRecordPath, opened);
    QCOMPARE(currentRecordText(), shown);
    QCOMPARE(fileBytes(opened), recordBytes(u"Shown"_s));

    // The program goes on: the next open works.
    Prompts::clearTestRecords();
    const QString next = m_dir->filePath(u"next.kiv"_s);
    QVERIFY(putBytes(next, recordBytes(u"Next"_s)));
    Prompts::setNextFileName(next);
    m_view->OpenRecord();
    QCOMPARE(messageTexts(), QStringList());
    QCOMPARE(m_view->m_strRecordPath, next);
    QVERIFY(currentRecordText().contains(u"Next"_s));
}

// The program is stopped dead (as by a power cut or a kill) while it writes a large
// record over an existing one: a child process runs the file writer and is killed as
// soon as it holds its temporary file open, before it could rename it over the target.
void TestFaults::writerKilledBeforeRenameLeavesOldFile()
{
    const QString folder = m_dir->filePath(u"cut"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + u"/patient.kiv"_s;
    const QByteArray old = recordBytes(u"Before the cut"_s, 5000);
    QVERIFY(putBytes(target, old));

    int killedMidWrite = 0;
    int leftovers = 0;
    for (int attempt = 0; attempt < 40 && killedMidWrite < 5; ++attempt) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {u"--write-record"_s, target});
        QVERIFY(writer.waitForStarted());
        // Taken once: it stays valid until the child is reaped, which only the event
        // loop or waitForFinished do, and kill(0) would hit this test itself.
        const qint64 pid = writer.processId();
        QVERIFY(pid > 0);
        QDir dir(folder);
        bool sawTemporary = false;
        QElapsedTimer clock;
        clock.start();
        while (!writer.waitForFinished(0) && clock.elapsed() < 60000) {
            if (isWritingInto(pid, folder)) {
                ::kill(pid_t(pid), SIGKILL);
                sawTemporary = true;
                break;
            }
        }
        writer.waitForFinished(60000);
        // Whether killed half-way or not, the target holds one whole file, never a mix.
        const QByteArray now = fileBytes(target);
        if (sawTemporary && writer.exitStatus() == QProcess::CrashExit) {
            QCOMPARE(now, old);
            ++killedMidWrite;
        } else {
            QVERIFY(now == old || now.size() == 3 + 24 * 1024 * 1024);
            QVERIFY(putBytes(target, old));
        }
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            if (name != u"patient.kiv") {
                ++leftovers;
                dir.remove(name);
            }
        }
    }
    QVERIFY2(killedMidWrite > 0, "the writer was never caught before its rename");
    qInfo("writer killed before its rename %d times; temporary files left behind: %d", killedMidWrite, leftovers);

    // And after all that, saving over the file still works.
    QVERIFY(WriteUtf8File(target, u"after"_s));
    QString back;
    QVERIFY(ReadUtf8File(target, back));
    QCOMPARE(back, u"after"_s);
}

int main(int argc, char** argv)
{
    // The child of writerKilledBeforeRenameLeavesOldFile: writes 24 MiB over the path.
    if (argc == 3 && qstrcmp(argv[1], "--write-record") == 0) {
        const QString text(24 * 1024 * 1024, u'w');
        return WriteUtf8File(QFile::decodeName(argv[2]), text) ? 0 : 1;
    }
    return EngineTest::run<TestFaults>(argc, argv);
}

#include "tst_faults.moc"
