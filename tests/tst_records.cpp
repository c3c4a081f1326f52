// Record and clinic-defaults commands against the real forms page, with the
// dialogs answered through the prompts seam.

#include "host/Prompts.h"
#include "storage/TextFiles.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"
#include "view/CommandIds.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using EngineTest::fileBytes;
using EngineTest::messageTexts;

namespace {

const QString kSaveFailed = u"Could not save the occupational-health record."_s;
const QString kOpenFailed = u"Could not open the selected occupational-health record."_s;
const QString kCollectFailed = u"Could not collect the occupational-health information from the form."_s;
const QString kDefaultsFailed = u"Could not save the clinic/provider/employer defaults."_s;

QString recordWith(const QString& group, const QString& key, const QString& value)
{
    QJsonObject shared{{group, QJsonObject{{key, value}}}};
    QJsonObject record{{u"format"_s, u"kestrova-record"_s}, {u"version"_s, 1}, {u"shared"_s, shared}};
    return QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveAsksOnceThenWritesInPlace();
    void saveAsAlwaysAsksAndCancelChangesNothing();
    void failedSaveKeepsPathAndTitle();
    void collectFailureWritesNothing();
    void openBringsTheRecordBack();
    void openFailures_data();
    void openFailures();
    void newClearsPathAndAppliesDefaults();
    void defaultsApplyOnLoadButNotAfterPageCommand();
    void defaultsSaveAndApplyMessages();
    void menuAndPageCommandGiveSameResult();

private:
    void waitIdle();
    QString field(const QString& group, const QString& key);
    void putRecord(const QString& text);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_frame;
    std::unique_ptr<CKestrovaView> m_view;
};

void TestRecords::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    EngineTest::useScratchData(m_dir->path());
    Prompts::clearTestRecords();
    m_frame = std::make_unique<QWidget>();
    m_view = std::make_unique<CKestrovaView>();
    m_view->setFrame(m_frame.get());
    QVERIFY(EngineTest::loadFormsPage(*m_view));
}

void TestRecords::cleanup()
{
    m_view.reset();
    m_frame.reset();
    m_dir.reset();
}

void TestRecords::waitIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_view->IsIdle(), 60000);
}

QString TestRecords::field(const QString& group, const QString& key)
{
    if (!m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value=collectRecord();"_s))
        return u"<collect failed>"_s;
    QString text;
    m_view->ReadNativeBuffer(text);
    const QJsonObject record = QJsonDocument::fromJson(text.toUtf8()).object();
    return record.value(u"shared"_s).toObject().value(group).toObject().value(key).toString();
}

void TestRecords::putRecord(const QString& text)
{
    QVERIFY(m_view->WriteNativeBuffer(text));
    QVERIFY(m_view->ExecuteScript(u"loadRecord(document.getElementById('nativeBuffer').value);"_s));
}

void TestRecords::saveAsksOnceThenWritesInPlace()
{
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Ramírez"_s));
    const QString path = GetRecordsFolder() + u"/a.kiv"_s;
    Prompts::setNextFileName(path);
    m_view->SaveRecord(false);

    QCOMPARE(Prompts::fileRequests().size(), 1);
    const Prompts::FileRequest asked = Prompts::fileRequests().at(0);
    QVERIFY(asked.save);
    QCOMPARE(asked.folder, GetRecordsFolder());
    QCOMPARE(asked.fileName, u"occupational-record.kiv"_s);
    QCOMPARE(asked.defaultSuffix, u"kiv"_s);
    QCOMPARE(m_view->m_strRecordPath, path);
    QCOMPARE(m_frame->windowTitle(), u"Kestrova - a.kiv"_s);
    const QByteArray saved = fileBytes(path);
    QVERIFY(saved.startsWith("\xEF\xBB\xBF{"));
    QVERIFY(saved.contains("Ram\xC3\xADrez"));

    // A record with a file is saved over it, without a dialog.
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Okafor"_s));
    m_view->SaveRecord(false);
    QCOMPARE(Prompts::fileRequests().size(), 1);
    QVERIFY(fileBytes(path).contains("Okafor"));
    QVERIFY(Prompts::shownMessages().isEmpty());
}

void TestRecords::saveAsAlwaysAsksAndCancelChangesNothing()
{
    const QString path = GetRecordsFolder() + u"/first.kiv"_s;
    Prompts::setNextFileName(path);
    m_view->SaveRecord(true);
    const QByteArray before = fileBytes(path);

    m_view->SaveRecord(true); // no answer queued: the dialog is cancelled
    QCOMPARE(Prompts::fileRequests().size(), 2);
    QCOMPARE(Prompts::fileRequests().at(1).fileName, u"occupational-record.kiv"_s);
    QCOMPARE(m_view->m_strRecordPath, path);
    QCOMPARE(m_frame->windowTitle(), u"Kestrova - first.kiv"_s);
    QCOMPARE(fileBytes(path), before);
    QVERIFY(Prompts::shownMessages().isEmpty());

    const QString second = GetRecordsFolder() + u"/second.kiv"_s;
    Prompts::setNextFileName(second);
    m_view->SaveRecord(true);
    QCOMPARE(m_view->m_strRecordPath, second);
    QVERIFY(QFile::exists(second));
}

void TestRecords::failedSaveKeepsPathAndTitle()
{
    const QString good = GetRecordsFolder() + u"/good.kiv"_s;
    Prompts::setNextFileName(good);
    m_view->SaveRecord(false);
    QFile blocker(m_dir->filePath(u"not-a-folder"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Prompts::setNextFileName(blocker.fileName() + u"/record.kiv"_s);
    m_view->SaveRecord(true);
    QCOMPARE(messageTexts(), QStringList{kSaveFailed});
    QCOMPARE(Prompts::shownMessages().at(0).icon, Prompts::Icon::Error);
    QCOMPARE(m_view->m_strRecordPath, good);
    QCOMPARE(m_frame->windowTitle(), u"Kestrova - good.kiv"_s);
}

void TestRecords::collectFailureWritesNothing()
{
    const QString path = GetRecordsFolder() + u"/kept.kiv"_s;
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Keep"_s));
    Prompts::setNextFileName(path);
    m_view->SaveRecord(false);
    const QByteArray before = fileBytes(path);

    // The buffer still holds older text; none of it may reach the patient's file.
    QVERIFY(m_view->WriteNativeBuffer(u"{\"format\":\"kestrova-defaults\"}"_s));
    QVERIFY(m_view->ExecuteScript(u"window.collectRecord = function () { throw new Error('broken'); };"_s));
    m_view->SaveRecord(false);
    m_view->SaveRecord(true);
    QCOMPARE(messageTexts(), (QStringList{kCollectFailed, kCollectFailed}));
    QCOMPARE(Prompts::fileRequests().size(), 1);
    QCOMPARE(fileBytes(path), before);

    QVERIFY(m_view->ExecuteScript(u"delete window.collectDefaults;"_s));
    m_view->SaveClinicDefaults();
    QCOMPARE(messageTexts().last(), kDefaultsFailed);
    QVERIFY(!QFile::exists(GetDefaultsFilePath()));
}

void TestRecords::openBringsTheRecordBack()
{
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Lindqvist"_s));
    const QString path = GetRecordsFolder() + u"/lindqvist.kiv"_s;
    Prompts::setNextFileName(path);
    m_view->SaveRecord(false);
    m_view->NewRecord();
    QCOMPARE(field(u"patient"_s, u"lastName"_s), QString());
    QCOMPARE(m_frame->windowTitle(), u"Kestrova"_s);

    Prompts::setNextFileName(path);
    m_view->OpenRecord();
    const Prompts::FileRequest asked = Prompts::fileRequests().last();
    QVERIFY(!asked.save);
    QCOMPARE(asked.folder, GetRecordsFolder());
    QVERIFY(asked.filter.contains(u"*.kiv"_s) && asked.filter.contains(u"*.json"_s));
    QCOMPARE(field(u"patient"_s, u"lastName"_s), u"Lindqvist"_s);
    QCOMPARE(m_view->m_strRecordPath, path);
    QCOMPARE(m_frame->windowTitle(), u"Kestrova - lindqvist.kiv"_s);
    QVERIFY(Prompts::shownMessages().isEmpty());

    // An empty file starts an empty record and names the file.
    const QString empty = m_dir->filePath(u"empty.kiv"_s);
    QVERIFY(WriteUtf8File(empty, QString()));
    Prompts::setNextFileName(empty);
    m_view->OpenRecord();
    QCOMPARE(field(u"patient"_s, u"lastName"_s), QString());
    QCOMPARE(m_view->m_strRecordPath, empty);
}

void TestRecords::openFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("not a record") << QByteArray("{\"name\":\"someone else's JSON\"}") << true;
    QTest::newRow("record of a newer version") << QByteArray("{\"format\":\"kestrova-record\",\"version\":99}") << true;
    QTest::newRow("over 32 MiB") << QByteArray(32 * 1024 * 1024 + 1, ' ') << true;
}

void TestRecords::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Current"_s));
    const QString current = GetRecordsFolder() + u"/current.kiv"_s;
    Prompts::setNextFileName(current);
    m_view->SaveRecord(false);

    const QString path = m_dir->filePath(u"bad.kiv"_s);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Prompts::setNextFileName(path);
    m_view->OpenRecord();
    QCOMPARE(messageTexts(), QStringList{kOpenFailed});
    QCOMPARE(m_view->m_strRecordPath, current);
    QCOMPARE(m_frame->windowTitle(), u"Kestrova - current.kiv"_s);
    QCOMPARE(field(u"patient"_s, u"lastName"_s), u"Current"_s);
}

void TestRecords::newClearsPathAndAppliesDefaults()
{
    putRecord(recordWith(u"clinic"_s, u"name"_s, u"Harbor Occupational Health"_s));
    m_view->SaveClinicDefaults();
    putRecord(recordWith(u"patient"_s, u"lastName"_s, u"Someone"_s));
    m_view->m_strRecordPath = u"/somewhere/old.kiv"_s;

    m_view->NewRecord();
    QVERIFY(m_view->m_strRecordPath.isEmpty());
    QCOMPARE(m_frame->windowTitle(), u"Kestrova"_s);
    QCOMPARE(field(u"patient"_s, u"lastName"_s), QString());
    QCOMPARE(field(u"clinic"_s, u"name"_s), u"Harbor Occupational Health"_s);
}

void TestRecords::defaultsApplyOnLoadButNotAfterPageCommand()
{
    putRecord(recordWith(u"clinic"_s, u"name"_s, u"Saved Clinic"_s));
    m_view->SaveClinicDefaults();
    QCOMPARE(fileBytes(GetDefaultsFilePath()).left(3), QByteArray("\xEF\xBB\xBF"));

    // What the user typed stays when the page sends a command (its navigation is
    // cancelled and no document loads).
    putRecord(recordWith(u"clinic"_s, u"name"_s, u"Typed Clinic"_s));
    QSignalSpy documents(m_view->host(), &WebHost::documentComplete);
    QVERIFY(m_view->ExecuteScript(u"location.href = 'kiv:validate';"_s));
    QTest::qWait(1500);
    waitIdle();
    QCOMPARE(documents.size(), 0);
    QCOMPARE(field(u"clinic"_s, u"name"_s), u"Typed Clinic"_s);

    // A page load lays the defaults over the fresh form.
    QVERIFY(EngineTest::loadFormsPage(*m_view));
    QCOMPARE(field(u"clinic"_s, u"name"_s), u"Saved Clinic"_s);
}

void TestRecords::defaultsSaveAndApplyMessages()
{
    // No defaults saved: applying says nothing at all.
    m_view->ApplyClinicDefaults(true);
    QVERIFY(Prompts::shownMessages().isEmpty());

    // A folder at the file's place: saving fails with the message, applying stays silent.
    QVERIFY(QDir().mkpath(GetDefaultsFilePath()));
    m_view->SaveClinicDefaults();
    QCOMPARE(messageTexts(), QStringList{kDefaultsFailed});
    m_view->ApplyClinicDefaults(true);
    QCOMPARE(Prompts::shownMessages().size(), 1);
}

void TestRecords::menuAndPageCommandGiveSameResult()
{
    const QString viaMenu = GetRecordsFolder() + u"/menu.kiv"_s;
    Prompts::setNextFileName(viaMenu);
    m_view->OnCommand(ID_FILE_SAVE_RECORD_AS);
    const QString viaPage = GetRecordsFolder() + u"/page.kiv"_s;
    Prompts::setNextFileName(viaPage);
    QVERIFY(m_view->ExecuteScript(u"location.href = 'KIV:Save-As';"_s));
    QTRY_COMPARE_WITH_TIMEOUT(Prompts::fileRequests().size(), 2, 30000);
    waitIdle();

    const QList<Prompts::FileRequest> asked = Prompts::fileRequests();
    QCOMPARE(asked.at(0).fileName, asked.at(1).fileName);
    QCOMPARE(asked.at(0).folder, asked.at(1).folder);
    QCOMPARE(asked.at(0).filter, asked.at(1).filter);
    QCOMPARE(fileBytes(viaMenu), fileBytes(viaPage));
    QCOMPARE(m_view->m_strRecordPath, viaPage);
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestRecords>(argc, argv);
}

#include "tst_records.moc"
