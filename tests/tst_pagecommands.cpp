// Page commands: the text rules for "kiv:" URLs, what the engine actually reports for
// them, frames and windows the page opens, document reports, and the command queue.
#include "host/Prompts.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"
#include "view/CommandIds.h"
#include "view/PageCommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using EngineTest::waitUntil;

Q_DECLARE_METATYPE(PageCommand)

namespace {


QUrl fixture(const QString& name)
{
    return QUrl::fromLocalFile(QStringLiteral(KESTROVA_SOURCE_DIR) + u"/tests/data/bridge/"_s + name);
}

bool waitForDocument(QSignalSpy& complete, const QUrl& url)
{
    return waitUntil(
        [&] {
            for (const QList<QVariant>& report : complete) {
                if (report.at(0).toUrl() == url)
                    return true;
            }
            return false;
        },
        EngineTest::TimeoutMs);
}

// A window that counts how often it was closed through its close path.
class Frame : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->accept();
    }
};

} // namespace

class TestPageCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void textRules_data();
    void textRules();
    void engineReportedUrls_data();
    void engineReportedUrls();
    void framesAndWindows_data();
    void framesAndWindows();
    void otherNavigationsProceed();
    void documentReports();
    void bothRoads_data();
    void bothRoads();
    void commandsRunInOrder();
    void commandWaitsForRunningOne();
    void exitClosesAfterCurrentCommand();

private:
    bool loadView(const QString& name);
    bool navigateFromPage(const QString& expression);
    QString pageText(const QString& expression);
    QString pageCalls();
    QString promptLog();

    QTemporaryDir m_data;
    std::unique_ptr<CKestrovaView> m_view;
    int m_commandNavigations = 0;
    QStringList m_dialogs;
};

void TestPageCommands::initTestCase()
{
    QVERIFY(m_data.isValid());
    EngineTest::useScratchData(m_data.path());
}

void TestPageCommands::init()
{
    Prompts::clearTestRecords();
    m_dialogs.clear();
    Prompts::setDialogHandler([this](QDialog& dialog) {
        m_dialogs.append(QString::fromLatin1(dialog.metaObject()->className()));
        return false;
    });
    m_commandNavigations = 0;
    m_view = std::make_unique<CKestrovaView>();
    // Count the page commands as they arrive, then hand them on as the view would.
    auto forward = m_view->host()->beforeNavigate;
    m_view->host()->beforeNavigate = [this, forward](const QString& url, bool isMainFrame) {
        const bool cancel = forward(url, isMainFrame);
        if (cancel)
            ++m_commandNavigations;
        return cancel;
    };
    m_view->widget()->resize(800, 600);
    m_view->widget()->show();
}

void TestPageCommands::cleanup()
{
    m_view.reset();
    QFile::remove(m_data.path() + u"/Quorvane/Kestrova/clinic-defaults.json"_s);
}

bool TestPageCommands::loadView(const QString& name)
{
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);
    m_view->host()->navigate(fixture(name));
    return waitForDocument(complete, fixture(name))
        && waitUntil([&] { return m_view->IsIdle(); }, EngineTest::TimeoutMs);
}

// Runs an expression in the page that makes it navigate to a page command, and waits
// until the command has arrived and run.
bool TestPageCommands::navigateFromPage(const QString& expression)
{
    const int before = m_commandNavigations;
    if (!m_view->ExecuteScript(expression + u";"_s))
        return false;
    return waitUntil([&] { return m_commandNavigations > before; }, EngineTest::TimeoutMs)
        && waitUntil([&] { return m_view->IsIdle(); }, EngineTest::TimeoutMs);
}

// Checks go through the view's own bridge: a wait of the test's own for a script
// result, with a command started inside it, is a nesting the program never makes.
QString TestPageCommands::pageText(const QString& expression)
{
    QString text;
    if (!m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value = String("_s + expression + u");"_s)
        || !m_view->ReadNativeBuffer(text))
        return u"(page did not answer)"_s;
    return text;
}

QString TestPageCommands::pageCalls()
{
    return pageText(u"window.calls.join(' ')"_s);
}

QString TestPageCommands::promptLog()
{
    QStringList log;
    for (const Prompts::FileRequest& request : Prompts::fileRequests())
        log << (request.save ? u"save-dialog"_s : u"open-dialog"_s);
    for (const Prompts::ShownMessage& message : Prompts::shownMessages())
        log << u"message:"_s + message.caption;
    log << m_dialogs;
    return log.join(u' ');
}

void TestPageCommands::textRules_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("isCommand");
    QTest::addColumn<PageCommand>("command");

    const std::pair<const char16_t*, PageCommand> table[] = {
        {u"new", PageCommand::New},
        {u"open", PageCommand::Open},
        {u"save", PageCommand::Save},
        {u"save-as", PageCommand::SaveAs},
        {u"preview-current", PageCommand::PreviewCurrent},
        {u"print-current", PageCommand::PrintCurrent},
        {u"preview-packet", PageCommand::PreviewPacket},
        {u"print-packet", PageCommand::PrintPacket},
        {u"defaults-save", PageCommand::DefaultsSave},
        {u"defaults-apply", PageCommand::DefaultsApply},
        {u"fake", PageCommand::Fake},
        {u"validate", PageCommand::Validate},
        {u"about", PageCommand::About},
        {u"exit", PageCommand::Exit},
    };
    for (const auto& [name, command] : table) {
        const QString text = QString::fromUtf16(name);
        QTest::newRow(qPrintable(u"kiv:"_s + text)) << u"kiv:"_s + text << true << command;
        QTest::newRow(qPrintable(u"KIV:"_s + text.toUpper())) << u"KIV:"_s + text.toUpper() << true << command;
    }
    QTest::newRow("mixed case") << u"Kiv:Save"_s << true << PageCommand::Save;
    QTest::newRow("mixed save-as") << u"kiv:Save-As"_s << true << PageCommand::SaveAs;
    QTest::newRow("prefix only") << u"kiv:"_s << true << PageCommand::None;
    QTest::newRow("unknown") << u"kiv:abc"_s << true << PageCommand::None;
    QTest::newRow("trailing space") << u"kiv:save "_s << true << PageCommand::None;
    QTest::newRow("query") << u"kiv:save?x=1"_s << true << PageCommand::None;
    QTest::newRow("fragment") << u"kiv:save#top"_s << true << PageCommand::None;
    QTest::newRow("escape") << u"kiv:%73ave"_s << true << PageCommand::None;
    QTest::newRow("slashes") << u"kiv://save"_s << true << PageCommand::None;
    QTest::newRow("longer name") << u"kiv:saves"_s << true << PageCommand::None;
    // Only A to Z fold: letters that lower-case to ASCII elsewhere in Unicode do not.
    QTest::newRow("dotted capital I") << u"kiv:EX\u0130T"_s << true << PageCommand::None;
    QTest::newRow("long s") << u"kiv:\u017Fave"_s << true << PageCommand::None;
    QTest::newRow("Kelvin sign scheme") << u"\u212Aiv:save"_s << false << PageCommand::None;
    QTest::newRow("fullwidth letters") << u"kiv:\uFF53ave"_s << true << PageCommand::None;
    QTest::newRow("empty") << QString() << false << PageCommand::None;
    QTest::newRow("ki") << u"ki"_s << false << PageCommand::None;
    QTest::newRow("kiv") << u"kiv"_s << false << PageCommand::None;
    QTest::newRow("kivx:save") << u"kivx:save"_s << false << PageCommand::None;
    QTest::newRow("space before") << u" kiv:save"_s << false << PageCommand::None;
    QTest::newRow("file URL") << u"file:///tmp/kiv:save"_s << false << PageCommand::None;
    QTest::newRow("about:blank") << u"about:blank"_s << false << PageCommand::None;
}

void TestPageCommands::textRules()
{
    QFETCH(QString, url);
    QFETCH(bool, isCommand);
    QFETCH(PageCommand, command);
    // The capital I folds to i whatever the user's language.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const bool recognised = IsPageCommandUrl(url);
    const PageCommand found = recognised ? LookUpPageCommand(PageCommandText(url)) : PageCommand::None;
    QLocale::setDefault(previous);

    QCOMPARE(recognised, isCommand);
    QCOMPARE(found, command);
    if (isCommand)
        QCOMPARE(PageCommandText(url), url.mid(4));
}

void TestPageCommands::engineReportedUrls_data()
{
    QTest::addColumn<QString>("href");     // what the page navigates to
    QTest::addColumn<QString>("reported"); // what the engine tells us
    QTest::addColumn<PageCommand>("command");

    QTest::newRow("plain") << u"kiv:save"_s << u"kiv:save"_s << PageCommand::Save;
    QTest::newRow("scheme upper") << u"KIV:SAVE"_s << u"kiv:SAVE"_s << PageCommand::Save;
    QTest::newRow("mixed case") << u"Kiv:Save-As"_s << u"kiv:Save-As"_s << PageCommand::SaveAs;
    QTest::newRow("escaped letter") << u"kiv:%73ave"_s << u"kiv:save"_s << PageCommand::Save;
    QTest::newRow("escaped capital") << u"kiv:%53AVE"_s << u"kiv:SAVE"_s << PageCommand::Save;
    QTest::newRow("escaped hyphen") << u"kiv:save%2das"_s << u"kiv:save-as"_s << PageCommand::SaveAs;
    QTest::newRow("spaces around") << u"  kiv:save  "_s << u"kiv:save"_s << PageCommand::Save;
    QTest::newRow("tab inside") << u"kiv:sa\tve"_s << u"kiv:save"_s << PageCommand::Save;
    QTest::newRow("newline inside") << u"kiv:va\nlidate"_s << u"kiv:validate"_s << PageCommand::Validate;
    QTest::newRow("space inside") << u"kiv:sa ve"_s << u"kiv:sa%20ve"_s << PageCommand::None;
    QTest::newRow("escaped space") << u"kiv:save%20"_s << u"kiv:save%20"_s << PageCommand::None;
    QTest::newRow("query") << u"kiv:save?x=1"_s << u"kiv:save?x=1"_s << PageCommand::None;
    QTest::newRow("fragment") << u"kiv:save#top"_s << u"kiv:save#top"_s << PageCommand::None;
    QTest::newRow("slashes") << u"kiv://save"_s << u"kiv://save"_s << PageCommand::None;
    QTest::newRow("prefix only") << u"kiv:"_s << u"kiv:"_s << PageCommand::None;
    QTest::newRow("dotted capital I") << u"kiv:EX\u0130T"_s << u"kiv:EX%C4%B0T"_s << PageCommand::None;
    QTest::newRow("escaped slash") << u"kiv:save%2Fas"_s << u"kiv:save%2Fas"_s << PageCommand::None;
}

void TestPageCommands::engineReportedUrls()
{
    QFETCH(QString, href);
    QFETCH(QString, reported);
    QFETCH(PageCommand, command);

    // The bare host: it reports and cancels everything but the fixture itself.
    WebHost host;
    QStringList seen;
    const QUrl page = fixture(u"page.html"_s);
    host.beforeNavigate = [&](const QString& url, bool) {
        if (QUrl(url) == page)
            return false;
        seen << url;
        return true;
    };
    QSignalSpy complete(&host, &WebHost::documentComplete);
    host.navigate(page);
    QVERIFY(waitForDocument(complete, page));

    QString literal;
    for (QChar c : href)
        literal += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0'));
    QVERIFY(host.runScript(u"location.href = '"_s + literal + u"';"_s));
    QVERIFY(waitUntil([&] { return !seen.isEmpty(); }, EngineTest::TimeoutMs));
    QCOMPARE(seen.first(), reported);
    QVERIFY(IsPageCommandUrl(seen.first()));
    QCOMPARE(LookUpPageCommand(PageCommandText(seen.first())), command);
}

void TestPageCommands::framesAndWindows_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("calls");

    QTest::newRow("link in a frame")
        << u"document.getElementById('child').contentWindow.postMessage('kiv:validate', '*')"_s
        << u"validateRecord:true"_s;
    QTest::newRow("frame source") << u"document.getElementById('second').src = 'kiv:fake'"_s << u"fillTestData"_s;
    QTest::newRow("link aimed at a frame")
        << u"(function(){var a=document.createElement('a');a.href='kiv:fake';a.target='child';"
           "document.body.appendChild(a);a.click();})()"_s
        << u"fillTestData"_s;
    QTest::newRow("window.open") << u"window.open('kiv:validate')"_s << u"validateRecord:true"_s;
    QTest::newRow("window.open named") << u"window.open('KIV:Fake', 'other', 'width=200')"_s << u"fillTestData"_s;
    QTest::newRow("target=_blank") << u"document.getElementById('blank').click()"_s << u"validateRecord:true"_s;
}

void TestPageCommands::framesAndWindows()
{
    QFETCH(QString, expression);
    QFETCH(QString, calls);
    QVERIFY(loadView(u"frames.html"_s));
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);

    QVERIFY(navigateFromPage(expression));
    QCOMPARE(pageCalls(), calls);
    // The page stayed where it was: no new document, no other window.
    QCOMPARE(QUrl(pageText(u"location.href"_s)), fixture(u"frames.html"_s));
    waitUntil([] { return false; }, 300);
    QCOMPARE(complete.size(), 0);
    QCOMPARE(m_commandNavigations, 1);
}

void TestPageCommands::otherNavigationsProceed()
{
    QVERIFY(loadView(u"page.html"_s));
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);
    QVERIFY(m_view->ExecuteScript(u"location.href = 'plain.html';"_s));
    QVERIFY(waitForDocument(complete, fixture(u"plain.html"_s)));
    QCOMPARE(m_commandNavigations, 0);
}

void TestPageCommands::documentReports()
{
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);
    QVERIFY(loadView(u"frames.html"_s));
    // One report per document: the page and both of its frames.
    QVERIFY(waitUntil([&] { return complete.size() >= 3; }));
    QCOMPARE(complete.size(), 3);
    QStringList urls;
    for (const QList<QVariant>& report : complete)
        urls << report.at(0).toUrl().fileName();
    urls.sort();
    QCOMPARE(urls, (QStringList{u"child.html"_s, u"child.html"_s, u"frames.html"_s}));

    // A cancelled command navigation is not a finished document.
    complete.clear();
    QVERIFY(navigateFromPage(u"location.href = 'kiv:about'"_s));
    QVERIFY(navigateFromPage(u"document.getElementById('child').contentWindow.postMessage('kiv:about', '*')"_s));
    waitUntil([] { return false; }, 500);
    QCOMPARE(complete.size(), 0);
    QCOMPARE(Prompts::shownMessages().size(), 2);
}

void TestPageCommands::bothRoads_data()
{
    QTest::addColumn<int>("commandId");
    QTest::addColumn<QString>("pageCommand");
    QTest::addColumn<QString>("calls");
    QTest::addColumn<QString>("prompts");

    QTest::newRow("new") << int(ID_FILE_NEW) << u"new"_s << u"newRecord"_s << QString();
    QTest::newRow("open") << int(ID_FILE_OPEN) << u"open"_s << QString() << u"open-dialog"_s;
    QTest::newRow("save") << int(ID_FILE_SAVE) << u"save"_s << u"collectRecord"_s << u"save-dialog"_s;
    QTest::newRow("save as") << int(ID_FILE_SAVE_RECORD_AS) << u"save-as"_s << u"collectRecord"_s
                             << u"save-dialog"_s;
    QTest::newRow("preview current") << int(ID_FILE_PRINT_PREVIEW) << u"preview-current"_s
                                     << u"preparePrintCurrent"_s << u"QPrintPreviewDialog"_s;
    QTest::newRow("print current") << int(ID_FILE_PRINT) << u"print-current"_s << u"preparePrintCurrent"_s
                                   << u"QPrintDialog"_s;
    QTest::newRow("preview packet") << int(ID_FILE_PREVIEW_PACKET) << u"preview-packet"_s
                                    << u"preparePrintPacket"_s << u"QPrintPreviewDialog"_s;
    QTest::newRow("print packet") << int(ID_FILE_PRINT_PACKET) << u"print-packet"_s << u"preparePrintPacket"_s
                                  << u"QPrintDialog"_s;
    QTest::newRow("save defaults") << int(ID_TOOLS_SAVE_DEFAULTS) << u"defaults-save"_s
                                   << u"collectDefaults showToast:Clinic defaults saved."_s << QString();
    QTest::newRow("apply defaults, none saved")
        << int(ID_TOOLS_APPLY_DEFAULTS) << u"defaults-apply"_s << QString() << QString();
    QTest::newRow("fill test data") << int(ID_TOOLS_FILL_TEST_DATA) << u"fake"_s << u"fillTestData"_s << QString();
    QTest::newRow("validate") << int(ID_TOOLS_VALIDATE) << u"validate"_s << u"validateRecord:true"_s << QString();
    QTest::newRow("about") << int(ID_HELP_ABOUT) << u"about"_s << QString() << u"message:About Kestrova"_s;
}

void TestPageCommands::bothRoads()
{
    QFETCH(int, commandId);
    QFETCH(QString, pageCommand);
    QFETCH(QString, calls);
    QFETCH(QString, prompts);
    QVERIFY(loadView(u"page.html"_s));

    // The menu road, as the main window sends it.
    m_view->Post([view = m_view.get(), commandId] { view->OnCommand(commandId); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }, EngineTest::TimeoutMs));
    const QString menuCalls = pageCalls();
    const QString menuPrompts = promptLog();

    QVERIFY(m_view->ExecuteScript(u"window.calls = [];"_s));
    Prompts::clearTestRecords();
    Prompts::setDialogHandler([this](QDialog& dialog) {
        m_dialogs.append(QString::fromLatin1(dialog.metaObject()->className()));
        return false;
    });
    m_dialogs.clear();

    // The page road.
    QVERIFY(navigateFromPage(u"location.href = 'kiv:"_s + pageCommand + u"'"_s));
    QCOMPARE(pageCalls(), menuCalls);
    QCOMPARE(promptLog(), menuPrompts);
    QCOMPARE(menuCalls, calls);
    QCOMPARE(menuPrompts, prompts);
}

void TestPageCommands::commandsRunInOrder()
{
    QVERIFY(loadView(u"page.html"_s));
    // Three commands in quick succession, each a navigation of its own.
    QVERIFY(navigateFromPage(u"location.href = 'kiv:fake';"
                             "setTimeout(function(){ location.href = 'kiv:validate'; }, 20);"
                             "setTimeout(function(){ location.href = 'kiv:new'; }, 40)"_s));
    QVERIFY(waitUntil([&] { return m_commandNavigations == 3 && m_view->IsIdle(); }, EngineTest::TimeoutMs));
    QCOMPARE(pageCalls(), u"fillTestData validateRecord:true newRecord"_s);
}

void TestPageCommands::commandWaitsForRunningOne()
{
    QVERIFY(loadView(u"page.html"_s));
    QString callsDuringDialog;
    Prompts::setDialogHandler([&](QDialog&) {
        // Another command arrives while the print dialog is open; it must wait.
        m_view->ExecuteScript(u"location.href = 'kiv:validate';"_s);
        const bool arrived = waitUntil([&] { return m_commandNavigations == 2; }, EngineTest::TimeoutMs);
        waitUntil([] { return false; }, 300);
        callsDuringDialog = arrived ? pageCalls() : u"command did not arrive"_s;
        return false;
    });
    QVERIFY(navigateFromPage(u"location.href = 'kiv:print-current'"_s));
    QVERIFY(waitUntil([&] { return m_commandNavigations == 2 && m_view->IsIdle(); }, EngineTest::TimeoutMs));
    QCOMPARE(callsDuringDialog, u"preparePrintCurrent"_s);
    QCOMPARE(pageCalls(), u"preparePrintCurrent validateRecord:true"_s);
}

void TestPageCommands::exitClosesAfterCurrentCommand()
{
    Frame frame;
    frame.show();
    m_view->setFrame(&frame);
    QVERIFY(loadView(u"page.html"_s));

    bool openDuringDialog = false;
    Prompts::setDialogHandler([&](QDialog&) {
        m_view->ExecuteScript(u"location.href = 'KIV:EXIT';"_s);
        const bool arrived = waitUntil([&] { return m_commandNavigations == 2; }, EngineTest::TimeoutMs);
        waitUntil([] { return false; }, 300);
        openDuringDialog = arrived && frame.isVisible() && frame.closes == 0;
        return false;
    });
    QVERIFY(navigateFromPage(u"location.href = 'kiv:preview-current'"_s));
    QVERIFY(openDuringDialog);
    QVERIFY(waitUntil([&] { return frame.closes > 0; }));
    QCOMPARE(frame.closes, 1);
    QVERIFY(!frame.isVisible());
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestPageCommands>(argc, argv);
}

#include "tst_pagecommands.moc"
