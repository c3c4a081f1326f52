// Hostile and broken record files, opened one after the other through the Open
// command: no script of theirs runs, no page command fires, the form shows either a
// clear message or the data as plain text, and the program keeps working. And the
// page's Content-Security-Policy forbids inline and remote script and every network
// request, while the program's own script calls still run.

#include "host/Prompts.h"
#include "storage/TextFiles.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"

#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using EngineTest::messageTexts;

namespace {

const QString kOpenFailed = u"Could not open the selected occupational-health record."_s;

bool putBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray recordWithValue(const QByteArray& value)
{
    return "\xEF\xBB\xBF{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{\"lastName\":\""
           + value + "\"}}}";
}

// Anything a payload would leave behind if it had run: its marker, a polluted
// prototype, or elements of its own in the document.
const QString kNothingRan =
    u"if (window.__hostile !== undefined || window.__evaled !== undefined"
    " || Object.prototype.polluted !== undefined || window.polluted !== undefined) throw 1;"
    "if (document.querySelectorAll('script:not([src]), iframe, base, img[src=\"x\"], #hostileLink,"
    " style, svg[onload]').length) throw 2;"_s;

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void hostileRecordRunsNothing_data();
    void hostileRecordRunsNothing();
    void programStillWorks();
    void contentPolicyForbidsScriptAndNetwork();
    void commandsOnlyFromOwnPage();

private:
    void settle();
    QString pageText(const QString& expression);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_frame;
    std::unique_ptr<CKestrovaView> m_view;
    QStringList m_navigations;
    int m_opened = 0;
};

void TestHostile::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    EngineTest::useScratchData(m_dir->filePath(u"data"_s));
    m_frame = std::make_unique<QWidget>();
    m_view = std::make_unique<CKestrovaView>();
    m_view->setFrame(m_frame.get());
    // Every navigation the page starts is noted before the view handles it.
    auto inner = m_view->host()->beforeNavigate;
    m_view->host()->beforeNavigate = [this, inner](const QString& url, bool isMainFrame) {
        m_navigations << url;
        return inner(url, isMainFrame);
    };
    QVERIFY(EngineTest::loadFormsPage(*m_view));
}

void TestHostile::cleanupTestCase()
{
    qInfo("hostile record files opened: %d", m_opened);
    m_view.reset();
    m_frame.reset();
    m_dir.reset();
}

void TestHostile::init()
{
    Prompts::clearTestRecords();
    m_navigations.clear();
}

// Gives a payload that would act later (an image's error handler, a timer) its chance.
void TestHostile::settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_view->IsIdle(), 60000);
    QTest::qWait(500);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->IsIdle(), 60000);
}

QString TestHostile::pageText(const QString& expression)
{
    if (!m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value=String(%1);"_s.arg(expression)))
        return u"<script failed>"_s;
    QString text;
    m_view->ReadNativeBuffer(text);
    return text;
}

void TestHostile::hostileRecordRunsNothing_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(QStringLiteral(KESTROVA_SOURCE_DIR "/tests/data/hostile"));
    const QStringList names = folder.entryList({u"*.kiv"_s}, QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 20);
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);

    // The big ones are made here rather than kept in the source tree.
    const QString made = m_dir->filePath(u"made"_s);
    QVERIFY(QDir().mkpath(made));
    const auto add = [&](const char* name, const QByteArray& bytes) {
        const QString path = made + u'/' + QString::fromLatin1(name);
        QVERIFY(putBytes(path, bytes));
        QTest::newRow(name) << path;
    };
    add("value-one-over-the-limit.kiv", recordWithValue(QByteArray(65537, 'v')));
    add("script-value-at-the-limit.kiv",
        recordWithValue(QByteArray("<script>window.__hostile=1</script>").leftJustified(65536, 'v')));
    add("nested-a-million-deep.kiv", QByteArray(1000000, '[') + QByteArray(1000000, ']'));
    add("a-huge-string-in-an-unknown-place.kiv",
        "{\"format\":\"kestrova-record\",\"version\":1,\"x\":\"" + QByteArray(20 * 1024 * 1024, 'h') + "\"}");
    QByteArray manyKeys = "\xEF\xBB\xBF{\"format\":\"kestrova-record\",\"version\":1,\"shared\":{\"patient\":{";
    for (int i = 0; i < 5000; ++i)
        manyKeys += "\"k" + QByteArray::number(i) + "\":\"<b onmouseover=window.__hostile=1>" + QByteArray::number(i) + "\",";
    manyKeys.chop(1);
    add("five-thousand-fields.kiv", manyKeys + "}}}");
    add("thirty-mib-of-blanks-around-a-record.kiv",
        QByteArray(15 * 1024 * 1024, ' ') + recordWithValue("<img src=x onerror=window.__hostile=1>").mid(3)
            + QByteArray(15 * 1024 * 1024, '\n'));
}

void TestHostile::hostileRecordRunsNothing()
{
    QFETCH(QString, path);
    const QString before = m_view->m_strRecordPath;

    Prompts::setNextFileName(path);
    m_view->OpenRecord();
    ++m_opened;
    settle();

    QVERIFY2(m_navigations.isEmpty(), qPrintable(m_navigations.join(u", "_s)));
    QVERIFY(m_view->ExecuteScript(kNothingRan));
    QCOMPARE(m_frame->windowTitle().isEmpty() || m_frame->windowTitle().startsWith(u"Kestrova"_s), true);

    if (messageTexts().isEmpty()) {
        // Taken as a record: the path follows, and what the file held is shown as text.
        QCOMPARE(m_view->m_strRecordPath, path);
        QVERIFY(pageText(u"collectRecord()"_s).startsWith(u"{"_s));
    } else {
        // Refused: the user is told, and the page says why in its own message bar.
        QCOMPARE(messageTexts(), QStringList{kOpenFailed});
        QCOMPARE(m_view->m_strRecordPath, before);
        QCOMPARE(pageText(u"document.getElementById('messageBar').hidden"_s), u"false"_s);
        QVERIFY(!pageText(u"document.getElementById('messageText').textContent"_s).isEmpty());
    }
}

// After every hostile file, saving and opening still do their work.
void TestHostile::programStillWorks()
{
    const QString path = m_dir->filePath(u"after.kiv"_s);
    Prompts::setNextFileName(path);
    m_view->SaveRecord(true);
    QCOMPARE(messageTexts(), QStringList());
    QString saved;
    QVERIFY(ReadUtf8File(path, saved));
    QVERIFY(saved.contains(u"kestrova-record"_s));

    // A record holding script, opened and saved again, keeps it as the very same text.
    const QString payload = u"<script>window.__hostile=1</script> kiv:exit"_s;
    const QString script = m_dir->filePath(u"script.kiv"_s);
    QVERIFY(putBytes(script, recordWithValue(payload.toUtf8())));
    Prompts::setNextFileName(script);
    m_view->OpenRecord();
    settle();
    QCOMPARE(messageTexts(), QStringList());
    QCOMPARE(pageText(u"JSON.parse(collectRecord()).shared.patient.lastName"_s), payload);
    QVERIFY(m_view->ExecuteScript(kNothingRan));
    QVERIFY(m_navigations.isEmpty());
}

void TestHostile::contentPolicyForbidsScriptAndNetwork()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            ++connections;
            socket->deleteLater();
        }
    });
    const QString remote = u"http://127.0.0.1:%1/"_s.arg(server.serverPort());

    // The program's own calls run (no inline script in the page needed for them).
    QVERIFY(m_view->ExecuteScript(u"window.__ownCall = 1;"_s));
    QCOMPARE(pageText(u"window.__ownCall"_s), u"1"_s);

    // Everything a payload could try once it had a foothold in the document.
    QVERIFY(m_view->ExecuteScript(uR"(
        try { (function (remote) {
            var s = document.createElement('script');
            s.textContent = 'window.__hostile = "inline"';
            document.body.appendChild(s);
            var r = document.createElement('script');
            r.src = remote + 'remote.js';
            document.body.appendChild(r);
            var i = document.createElement('img');
            i.src = remote + 'image.png';
            document.body.appendChild(i);
            var l = document.createElement('link');
            l.rel = 'stylesheet'; l.href = remote + 'style.css';
            document.head.appendChild(l);
            var f = document.createElement('iframe');
            f.src = remote + 'frame.html';
            document.body.appendChild(f);
            fetch(remote + 'fetch').catch(function () {});
            try { var x = new XMLHttpRequest(); x.open('GET', remote + 'xhr'); x.send(); } catch (e) {}
            try { new WebSocket(remote.replace('http', 'ws') + 'socket'); } catch (e) {}
            try { navigator.sendBeacon(remote + 'beacon', 'x'); } catch (e) {}
            var d = document.createElement('div');
            d.innerHTML = '<img src="x" onerror="window.__hostile=\'handler\'">';
            document.body.appendChild(d);
            setTimeout('window.__hostile = "timer string"', 0);
            setTimeout(function () {
                try { eval('window.__evaled = 1'); } catch (e) {}
                try { (new Function('window.__evaled = 2'))(); } catch (e) {}
            }, 0);
        })(); } catch (e) { document.getElementById('nativeBuffer').value = String(e); throw e; })"_s.replace(u"})();"_s, u"})('"_s + remote + u"');"_s)));
    QTest::qWait(2000);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->IsIdle(), 60000);

    QCOMPARE(connections, 0);
    QCOMPARE(pageText(u"typeof window.__hostile"_s), u"undefined"_s);
    QCOMPARE(pageText(u"typeof window.__evaled"_s), u"undefined"_s);
    // The program's buffer still carries text both ways.
    QVERIFY(m_view->WriteNativeBuffer(u"still \u00e9 working"_s));
    QString back;
    QVERIFY(m_view->ReadNativeBuffer(back));
    QCOMPARE(back, u"still \u00e9 working"_s);
    QVERIFY(m_navigations.isEmpty());
    QVERIFY(m_view->ExecuteScript(u"document.querySelectorAll('iframe, script:not([src]), link[href^=\"http\"],"
                                  " img[src^=\"http\"], script[src^=\"http\"]').forEach(function (e) { e.remove(); });"
                                  "document.querySelectorAll('img[src=\"x\"]').forEach(function (e) { e.remove(); });"_s));
}

// A document other than the forms page, reached by a link, asks for commands: they are
// cancelled and nothing runs. Back on the forms page, commands work again.
void TestHostile::commandsOnlyFromOwnPage()
{
    const QString other = m_dir->filePath(u"elsewhere.html"_s);
    QVERIFY(putBytes(other, "<!DOCTYPE html><html><body><a id=go href='kiv:save-as'>x</a><script>"
                            "window.addEventListener('load', function () { setTimeout(function () {"
                            " location.href = 'kiv:open'; window.open('kiv:exit');"
                            " document.getElementById('go').click(); }, 100); });</script></body></html>"));
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);
    QVERIFY(m_view->ExecuteScript(u"location.href = %1;"_s.arg(
        u"'"_s + QUrl::fromLocalFile(other).toString(QUrl::FullyEncoded) + u"'"_s)));
    QTRY_VERIFY_WITH_TIMEOUT(m_navigations.filter(u"kiv:"_s).size() >= 3, 60000);
    settle();
    QCOMPARE(Prompts::fileRequests().size(), 0);
    QCOMPARE(messageTexts(), QStringList());

    m_navigations.clear();
    QVERIFY(m_view->LoadHtmlInterfaceFrom(QStringLiteral(KESTROVA_BUILD_DIR)));
    QTRY_VERIFY_WITH_TIMEOUT(complete.size() >= 2, 60000);
    settle();
    QVERIFY(m_view->ExecuteScript(u"location.href = 'kiv:open';"_s));
    QTRY_COMPARE_WITH_TIMEOUT(Prompts::fileRequests().size(), 1, 60000);
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestHostile>(argc, argv);
}

#include "tst_hostile.moc"
