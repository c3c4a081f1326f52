// The script bridge in the real engine: running script in the page, and moving text
// into and out of its nativeBuffer element, also when the renderer dies or hangs.
#include "host/Prompts.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"
#include "view/ViewTexts.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {


QUrl fixture(const QString& name)
{
    return QUrl::fromLocalFile(QStringLiteral(KESTROVA_SOURCE_DIR) + u"/tests/data/bridge/"_s + name);
}

// Loads a fixture page and waits until its document is complete and the view has
// finished what it does on that (the silent defaults).
bool load(CKestrovaView& view, const QString& name)
{
    QSignalSpy complete(view.host(), &WebHost::documentComplete);
    const QUrl url = fixture(name);
    view.host()->navigate(url);
    const bool loaded = QTest::qWaitFor(
        [&] {
            for (const QList<QVariant>& report : complete) {
                if (report.at(0).toUrl() == url)
                    return true;
            }
            return false;
        },
        EngineTest::TimeoutMs);
    return loaded && QTest::qWaitFor([&] { return view.IsIdle(); }, EngineTest::TimeoutMs);
}

// Evaluates an expression in the page without the bridge, for checks.
QVariant pageValue(CKestrovaView& view, const QString& expression)
{
    struct Answer {
        QVariant value;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    auto* page = qobject_cast<QWebEngineView*>(view.widget())->page();
    page->runJavaScript(expression, [answer](const QVariant& value) {
        answer->value = value;
        answer->done = true;
    });
    if (!QTest::qWaitFor([&] { return answer->done; }, EngineTest::TimeoutMs))
        qWarning("no answer from the page");
    return answer->value;
}

// The text as a script literal with every unit escaped, built independently of the
// program's own encoder.
QString literal(const QString& text)
{
    QString out = u"'"_s;
    for (QChar c : text)
        out += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0'));
    return out + u"'"_s;
}

QString lone(char16_t unit)
{
    return QString(QChar(unit));
}

} // namespace

class TestBridge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noPage();
    void bufferElement_data();
    void bufferElement();
    void roundTrip_data();
    void roundTrip();
    void readStopsAtNul();
    void largeText_data();
    void largeText();
    void scriptResult_data();
    void scriptResult();
    void scriptRunsInGlobalScope();
    void readSeesWhatScriptAssigned();
    void noWaitInsideNavigationNotification();
    void rendererCrash();
    void rendererHang();
    void rendererCrashingOverAndOverIsNotReloaded();
    void rendererDiesDuringWait();

private:
    QTemporaryDir m_data;
    std::unique_ptr<CKestrovaView> m_view;
};

void TestBridge::initTestCase()
{
    QVERIFY(m_data.isValid());
    EngineTest::useScratchData(m_data.path());
}

void TestBridge::init()
{
    Prompts::clearTestRecords();
    m_view = std::make_unique<CKestrovaView>();
    m_view->widget()->resize(800, 600);
    m_view->widget()->show();
}

void TestBridge::cleanup()
{
    m_view.reset();
}

void TestBridge::noPage()
{
    CKestrovaView& view = *m_view;
    QCOMPARE(view.FindNativeBuffer(), WebHost::BufferState::NoDocument);
    QVERIFY(!view.ExecuteScript(u"var x = 1;"_s));
    QVERIFY(!view.WriteNativeBuffer(u"text"_s));
    QString out = u"stale"_s;
    QVERIFY(!view.ReadNativeBuffer(out));
    QVERIFY(out.isEmpty());
    QVERIFY(Prompts::shownMessages().isEmpty());
}

void TestBridge::bufferElement_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<WebHost::BufferState>("state");
    QTest::addColumn<QString>("untouched"); // JS expression that must stay true after a write

    QTest::newRow("textarea") << u"page.html"_s << WebHost::BufferState::Ready << u"true"_s;
    QTest::newRow("no element") << u"none.html"_s << WebHost::BufferState::NoElement << u"true"_s;
    QTest::newRow("input") << u"input.html"_s << WebHost::BufferState::NotTextArea
                           << u"document.getElementById('nativeBuffer').value === 'input value'"_s;
    QTest::newRow("division") << u"div.html"_s << WebHost::BufferState::NotTextArea
                              << u"document.getElementById('nativeBuffer').textContent === 'division text'"_s;
}

void TestBridge::bufferElement()
{
    QFETCH(QString, page);
    QFETCH(WebHost::BufferState, state);
    QFETCH(QString, untouched);
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, page));

    const bool ready = state == WebHost::BufferState::Ready;
    QCOMPARE(view.FindNativeBuffer(), state);
    QCOMPARE(view.WriteNativeBuffer(u"written"_s), ready);
    QString out = u"stale"_s;
    QCOMPARE(view.ReadNativeBuffer(out), ready);
    QCOMPARE(out, ready ? u"written"_s : QString());
    QVERIFY(pageValue(view, untouched).toBool());
    // Script runs whatever the element is.
    QVERIFY(view.ExecuteScript(u"window.ran = true;"_s));
    QVERIFY(pageValue(view, u"window.ran === true"_s).toBool());
}

void TestBridge::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // what the element holds afterwards

    const QString highThenText = lone(0xD800) + u"x"_s;
    const QString lowAlone = u"a"_s + lone(0xDC00);
    const QString reversedPair = lone(0xDE00) + lone(0xD83D);
    const QString pair = QString::fromUcs4(U"\U0001F600");
    const QString pairSplit = lone(0xD83D) + lone(0xD83D) + lone(0xDE00) + lone(0xDE00);
    const QString separators = u"line\u2028para\u2029end"_s;
    const QString quoting = uR"(it's "quoted" \ back\slash \u0041 </script> ${x} `tick`)"_s;
    const QString controls = u"\u0001\u0008\t\u000b\u000c\u001b\u007f\u0085\u00a0"_s;
    const QString nonChars = u"\ufeff\ufffe\uffff\ufdd0"_s;
    const QString writing = u"Müller Øster 患者 Ωμέγα запись שלום مرحبا"_s;

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ascii") << u"plain text"_s << u"plain text"_s;
    QTest::newRow("NUL ends the text") << u"before\u0000after"_s << u"before"_s;
    QTest::newRow("NUL first") << u"\u0000after"_s << QString();
    QTest::newRow("lone high surrogate") << highThenText << highThenText;
    QTest::newRow("lone low surrogate") << lowAlone << lowAlone;
    QTest::newRow("reversed pair") << reversedPair << reversedPair;
    QTest::newRow("pair") << pair << pair;
    QTest::newRow("pair among lone halves") << pairSplit << pairSplit;
    QTest::newRow("line separators") << separators << separators;
    QTest::newRow("quotes and backslashes") << quoting << quoting;
    QTest::newRow("controls") << controls << controls;
    QTest::newRow("BOM and noncharacters") << nonChars << nonChars;
    QTest::newRow("non-Latin writing") << writing << writing;
    QTest::newRow("LF kept") << u"a\nb\n"_s << u"a\nb\n"_s;
}

void TestBridge::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QVERIFY(view.ExecuteScript(u"document.getElementById('nativeBuffer').value = 'old';"_s));

    QVERIFY(view.WriteNativeBuffer(text));
    // The element holds exactly these units, as the page sees them.
    QVERIFY(view.ExecuteScript(u"if (document.getElementById('nativeBuffer').value !== "_s + literal(stored)
                               + u") throw new Error('different');"_s));
    QString out = u"stale"_s;
    QVERIFY(view.ReadNativeBuffer(out));
    QCOMPARE(out.size(), stored.size());
    QCOMPARE(out, stored);
}

void TestBridge::readStopsAtNul()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QVERIFY(view.ExecuteScript(u"document.getElementById('nativeBuffer').value = 'ab\\u0000cd';"_s));
    QVERIFY(pageValue(view, u"document.getElementById('nativeBuffer').value.length"_s).toInt() == 5);
    QString out;
    QVERIFY(view.ReadNativeBuffer(out));
    QCOMPARE(out, u"ab"_s);
}

void TestBridge::largeText_data()
{
    QTest::addColumn<QString>("unit");
    // 32 Mi code units, the size of the largest record file.
    QTest::newRow("record-like") << u"{\"name\":\"Müller\",\"note\":\"No change.\\n\"},\n"_s;
    QTest::newRow("non-ASCII") << u"患者Ωзé\u2028"_s + QString::fromUcs4(U"\U0001F600") + lone(0xDC00);
}

void TestBridge::largeText()
{
    QFETCH(QString, unit);
    CKestrovaView& view = *m_view;
    view.host()->setScriptTimeout(180000);
    QVERIFY(load(view, u"page.html"_s));

    const qsizetype size = qsizetype(32) * 1024 * 1024;
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += unit;
    text.truncate(size);
    text[size - 1] = u'$';

    QVERIFY(view.WriteNativeBuffer(text));
    QCOMPARE(pageValue(view, u"document.getElementById('nativeBuffer').value.length"_s).toLongLong(), size);
    QVERIFY(pageValue(view, u"document.getElementById('nativeBuffer').value.charCodeAt(123456)"_s).toInt()
            == text.at(123456).unicode());
    QString out;
    QVERIFY(view.ReadNativeBuffer(out));
    QCOMPARE(out.size(), size);
    QVERIFY(out == text);
}

void TestBridge::scriptResult_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("result");

    QTest::newRow("statement") << u"document.title = 'changed';"_s << true;
    QTest::newRow("page function") << u"validateRecord(true);"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("ends in a comment") << u"window.x = 1; // done"_s << true;
    QTest::newRow("value undefined") << u"void 0;"_s << true;
    QTest::newRow("throws") << u"throw new Error('no');"_s << false;
    QTest::newRow("throws undefined") << u"throw undefined;"_s << false;
    QTest::newRow("missing function") << u"noSuchFunction();"_s << false;
    QTest::newRow("syntax error") << u"if ("_s << false;
    QTest::newRow("throws after a change") << u"window.partly = 1; null.x;"_s << false;
}

void TestBridge::scriptResult()
{
    QFETCH(QString, script);
    QFETCH(bool, result);
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QCOMPARE(view.ExecuteScript(script), result);
    // A failed script is no reason to stop: the next one runs.
    QVERIFY(view.ExecuteScript(u"window.after = true;"_s));
    QVERIFY(Prompts::shownMessages().isEmpty());
}

void TestBridge::scriptRunsInGlobalScope()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QVERIFY(view.ExecuteScript(u"var kvCount = 41; function kvNext() { return ++kvCount; }"_s));
    QVERIFY(view.ExecuteScript(u"if (kvNext() !== 42) throw 0;"_s));
    QCOMPARE(pageValue(view, u"window.kvCount"_s).toInt(), 42);
    // The page's own functions are the ones called.
    QVERIFY(view.ExecuteScript(u"validateRecord(true);"_s));
    QCOMPARE(pageValue(view, u"window.calls.join()"_s).toString(), u"validateRecord:true"_s);
}

void TestBridge::readSeesWhatScriptAssigned()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    for (int round = 0; round < 3; ++round) {
        const QString expected = u"record %1"_s.arg(round);
        QVERIFY(view.ExecuteScript(u"document.getElementById('nativeBuffer').value = 'record %1';"_s.arg(round)));
        QString out;
        QVERIFY(view.ReadNativeBuffer(out));
        QCOMPARE(out, expected);
    }
}

void TestBridge::noWaitInsideNavigationNotification()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    int calls = 0;
    bool scriptResult = true;
    bool writeResult = true;
    bool readResult = true;
    view.host()->beforeNavigate = [&](const QString& url, bool) {
        if (!url.startsWith(u"kiv:"_s))
            return false;
        ++calls;
        // Waiting here would never receive the answer; the bridge refuses at once.
        scriptResult = view.ExecuteScript(u"window.fromInside = 1;"_s);
        writeResult = view.WriteNativeBuffer(u"x"_s);
        QString out = u"stale"_s;
        readResult = view.ReadNativeBuffer(out) || !out.isEmpty();
        return true;
    };
    pageValue(view, u"location.href = 'kiv:validate'; 1"_s);
    QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, EngineTest::TimeoutMs));
    QVERIFY(!scriptResult);
    QVERIFY(!writeResult);
    QVERIFY(!readResult);
    // Once the notification has returned, the bridge works again.
    QVERIFY(view.ExecuteScript(u"window.fromOutside = 1;"_s));
    QVERIFY(pageValue(view, u"window.fromInside === undefined && window.fromOutside === 1"_s).toBool());
}

void TestBridge::rendererCrash()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QVERIFY(view.WriteNativeBuffer(u"unsaved"_s));
    QSignalSpy restarted(view.host(), &WebHost::rendererRestarted);
    QSignalSpy complete(view.host(), &WebHost::documentComplete);

    view.host()->killRenderer();
    QVERIFY(restarted.wait(EngineTest::TimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return !complete.isEmpty(); }, EngineTest::TimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return view.IsIdle(); }, EngineTest::TimeoutMs));

    const auto messages = Prompts::shownMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().text, ViewTexts::formReloaded());
    QCOMPARE(messages.first().caption, u"Kestrova"_s);
    QCOMPARE(messages.first().icon, Prompts::Icon::Error);

    // A fresh page: the unsaved text is gone, and the bridge works on it.
    QString out = u"stale"_s;
    QVERIFY(view.ReadNativeBuffer(out));
    QCOMPARE(out, QString());
    QVERIFY(view.WriteNativeBuffer(u"after"_s));
    QVERIFY(view.ReadNativeBuffer(out));
    QCOMPARE(out, u"after"_s);
}

void TestBridge::rendererCrashingOverAndOverIsNotReloaded()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QSignalSpy restarted(view.host(), &WebHost::rendererRestarted);
    QSignalSpy gaveUp(view.host(), &WebHost::rendererGaveUp);
    for (int crash = 1; crash <= 3; ++crash) {
        QSignalSpy complete(view.host(), &WebHost::documentComplete);
        view.host()->killRenderer();
        QVERIFY(QTest::qWaitFor([&] { return restarted.size() == crash; }, EngineTest::TimeoutMs));
        QVERIFY(QTest::qWaitFor([&] { return !complete.isEmpty(); }, EngineTest::TimeoutMs));
    }
    view.host()->killRenderer();
    QVERIFY(gaveUp.wait(EngineTest::TimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return view.IsIdle(); }, EngineTest::TimeoutMs));
    QCOMPARE(restarted.size(), 3);
    QCOMPARE(Prompts::shownMessages().last().text, ViewTexts::formNotReloaded());
    QVERIFY(!view.ExecuteScript(u"1"_s));
}

void TestBridge::rendererHang()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QSignalSpy restarted(view.host(), &WebHost::rendererRestarted);
    view.host()->setScriptTimeout(3000);

    QVERIFY(!view.ExecuteScript(u"for (;;) {}"_s));
    // Whatever comes next fails quickly instead of waiting on the dead page.
    QVERIFY(!view.WriteNativeBuffer(u"x"_s));
    QString out = u"stale"_s;
    QVERIFY(!view.ReadNativeBuffer(out));
    QVERIFY(out.isEmpty());

    QVERIFY(restarted.wait(EngineTest::TimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return view.IsIdle(); }, EngineTest::TimeoutMs));
    QCOMPARE(Prompts::shownMessages().size(), 1);
    QCOMPARE(Prompts::shownMessages().first().text, ViewTexts::formReloaded());
    view.host()->setScriptTimeout(30000);
    QVERIFY(QTest::qWaitFor([&] { return view.ExecuteScript(u"validateRecord(true);"_s); }, EngineTest::TimeoutMs));
}

void TestBridge::rendererDiesDuringWait()
{
    CKestrovaView& view = *m_view;
    QVERIFY(load(view, u"page.html"_s));
    QSignalSpy restarted(view.host(), &WebHost::rendererRestarted);
    // The wait would last far longer than the test allows; the crash must end it.
    view.host()->setScriptTimeout(10 * 60 * 1000);
    QTimer::singleShot(1000, view.host(), [&] { view.host()->killRenderer(); });

    QString out = u"stale"_s;
    QVERIFY(!view.ExecuteScript(u"for (;;) {}"_s));
    QVERIFY(!view.ReadNativeBuffer(out));
    QVERIFY(out.isEmpty());
    QVERIFY(restarted.wait(EngineTest::TimeoutMs));
    QVERIFY(QTest::qWaitFor([&] { return view.IsIdle(); }, EngineTest::TimeoutMs));
    QCOMPARE(Prompts::shownMessages().size(), 1);
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestBridge>(argc, argv);
}

#include "tst_bridge.moc"
