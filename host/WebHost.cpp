#include "host/WebHost.h"

#include "host/Prompts.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <sys/types.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultScriptTimeoutMs = 30000;
// Longest escaped script text sent in one piece; keeps each message well inside the
// engine's limits for a 32 MiB record.
constexpr qsizetype kWriteChunkUnits = 4 * 1024 * 1024;
constexpr qsizetype kReadChunkUnits = 4 * 1024 * 1024;
constexpr int kMaxRestartsPerMinute = 3;

const QString kOk = u"kestrova:ok"_s;

void appendEscape(QString& out, char16_t u)
{
    static const char16_t hex[] = u"0123456789abcdef";
    const char16_t escape[] = {u'\\', u'u', hex[(u >> 12) & 0xf], hex[(u >> 8) & 0xf], hex[(u >> 4) & 0xf],
                               hex[u & 0xf]};
    out.append(reinterpret_cast<const QChar*>(escape), 6);
}

// A JavaScript string literal of the text that survives any transport. Controls, the
// quote, the backslash, line and paragraph separators, noncharacters and surrogates
// that are not half of a pair are written as \uXXXX; everything else goes as it is,
// so a record in a non-Latin script costs no more to send than an English one.
QString scriptLiteral(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    out += u'\'';
    const QChar* const data = text.data();
    const qsizetype size = text.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = data[i].unicode();
        if (u >= 0x20 && u != u'\'' && u != u'\\' && u < 0x7f)
            continue;
        if (u >= 0xa0 && u != 0x2028 && u != 0x2029 && !QChar::isSurrogate(u) && !QChar::isNonCharacter(u))
            continue;
        if (QChar::isHighSurrogate(u) && i + 1 < size && QChar::isLowSurrogate(data[i + 1].unicode())) {
            ++i;
            continue;
        }
        out.append(data + runStart, i - runStart);
        appendEscape(out, u);
        runStart = i + 1;
    }
    out.append(data + runStart, size - runStart);
    out += u'\'';
    return out;
}

QString upToFirstNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

// The element test shared by every buffer script, run in the program's own script
// world so that nothing the page defines can stand in for the element.
const QString kFindBuffer =
    u"var e=document.getElementById('nativeBuffer');"
    "if(!e)return 'kestrova:none';"
    "if(e.localName!=='textarea'||e.namespaceURI!=='http://www.w3.org/1999/xhtml')"
    "return 'kestrova:not-textarea';"_s;

QPageLayout letterLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
}

} // namespace

class WebHost::Page : public QWebEnginePage
{
public:
    Page(WebHost* host, QWebEngineProfile* profile, QObject* parent, bool popup)
        : QWebEnginePage(profile, parent), m_host(host), m_popup(popup)
    {
        // With the scheme left unknown, every kiv: navigation reaches
        // acceptNavigationRequest, scripted ones included.
        settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override;

private:
    QPointer<WebHost> m_host;
    bool m_popup;
};

struct WebHost::Private {
    QWebEngineProfile* profile = nullptr;
    QPointer<QWebEngineView> view;
    Page* page = nullptr;
    QString reportToken;
    bool topReported = false;
    QUrl url;
    int waitDepth = 0;
    int callbackDepth = 0;
    int timeoutMs = kDefaultScriptTimeoutMs;
    bool rendererAlive = true;
    bool printing = false;
    std::function<void()> printQuit;
    QList<qint64> restartTimes;
    QElapsedTimer clock;
};

namespace {

// Marks an engine notification on the stack; no synchronous wait may start inside one.
struct CallbackScope {
    explicit CallbackScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~CallbackScope() { --m_depth; }
    int& m_depth;
};

} // namespace

bool WebHost::Page::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    if (!m_host)
        return false;
    CallbackScope scope(m_host->d->callbackDepth);
    const QString text = url.toString(QUrl::FullyEncoded);
    const bool cancel = m_host->beforeNavigate && m_host->beforeNavigate(text, isMainFrame || m_popup);
    if (m_popup) {
        // A window the page tried to open: it exists only to catch this one
        // navigation; the program opens no second window.
        deleteLater();
        return false;
    }
    return !cancel;
}

QWebEnginePage* WebHost::Page::createWindow(WebWindowType)
{
    if (!m_host)
        return nullptr;
    auto* popup = new Page(m_host, profile(), m_host, true);
    QTimer::singleShot(30000, popup, &QObject::deleteLater);
    return popup;
}

void WebHost::Page::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                             int, const QString&)
{
    if (!m_host || m_popup || !message.startsWith(m_host->d->reportToken))
        return;
    const QStringView report = QStringView(message).mid(m_host->d->reportToken.size());
    if (report.startsWith(u'T')) {
        // The top document: reported once, by this or by loadFinished, whichever is first.
        if (m_host->d->topReported)
            return;
        m_host->d->topReported = true;
    }
    m_host->reportDocument(QUrl(report.mid(1).toString()));
}

void WebHost::reportDocument(const QUrl& url)
{
    QPointer<WebHost> host = this;
    QTimer::singleShot(0, this, [host, url] {
        if (host)
            emit host->documentComplete(url);
    });
}

WebHost::WebHost(QObject* parent) : QObject(parent), d(std::make_unique<Private>())
{
    d->clock.start();
    d->reportToken = u"kestrova-document-complete-%1:"_s
                         .arg(QRandomGenerator::global()->generate64(), 0, 16);
    // An off-the-record profile: nothing of the patient's data goes to a disk cache.
    d->profile = new QWebEngineProfile(this);
    d->profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    d->profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    d->view = new QWebEngineView;
    d->page = new Page(this, d->profile, d->view, false);
    d->view->setPage(d->page);
    d->view->setAcceptDrops(false);
    d->view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(d->view, &QWidget::customContextMenuRequested, d->view, [this](const QPoint& pos) {
        // Editing only: Back, Reload and the like would throw away the form.
        QMenu menu;
        for (auto action : {QWebEnginePage::Undo, QWebEnginePage::Redo, QWebEnginePage::Cut,
                            QWebEnginePage::Copy, QWebEnginePage::Paste, QWebEnginePage::SelectAll})
            menu.addAction(d->page->action(action));
        menu.exec(d->view->mapToGlobal(pos));
    });
    installDocumentReporter();
    // The top document's load event report can go missing when the page comes back
    // after a renderer crash; a successful load of the top frame stands in for it.
    // A cancelled kiv: navigation ends in loadFinished(false) and reports nothing.
    connect(d->page, &QWebEnginePage::loadStarted, this, [this] { d->topReported = false; });
    connect(d->page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (!ok || d->topReported)
            return;
        d->topReported = true;
        reportDocument(d->page->url());
    });
    connect(d->page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    onRendererTerminated();
            });
}

WebHost::~WebHost()
{
    // The page must go before its profile, and both before the application object.
    delete d->view.data();
}

void WebHost::installDocumentReporter()
{
    QWebEngineScript script;
    script.setName(u"kestrova-document-reporter"_s);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setSourceCode(u"window.addEventListener('load',function(){"
                             "console.log(%1+(window===window.top?'T':'F')+location.href);});"_s
                             .arg(scriptLiteral(d->reportToken)));
    d->page->scripts().insert(script);
}

QWidget* WebHost::widget() const
{
    return d->view;
}

void WebHost::navigate(const QUrl& url)
{
    d->url = url;
    d->rendererAlive = true;
    d->page->load(url);
}

bool WebHost::hasDocument() const
{
    return d->rendererAlive && !d->page->url().isEmpty();
}

bool WebHost::showsNavigatedPage() const
{
    return !d->url.isEmpty()
           && d->page->url().adjusted(QUrl::RemoveFragment) == d->url.adjusted(QUrl::RemoveFragment);
}

bool WebHost::isWaiting() const
{
    return d->waitDepth > 0;
}

void WebHost::setScriptTimeout(int milliseconds)
{
    d->timeoutMs = milliseconds;
}

QVariant WebHost::runAndWait(const QString& script, bool mainWorld)
{
    if (!hasDocument() || d->callbackDepth > 0)
        return {};

    struct Wait {
        QEventLoop loop;
        QVariant result;
        bool done = false;
    };
    auto wait = std::make_shared<Wait>();
    std::weak_ptr<Wait> weak = wait;
    d->page->runJavaScript(script,
                           mainWorld ? QWebEngineScript::MainWorld : QWebEngineScript::ApplicationWorld,
                           [weak](const QVariant& value) {
                               if (auto w = weak.lock()) {
                                   w->result = value;
                                   w->done = true;
                                   w->loop.quit();
                               }
                           });
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &wait->loop, &QEventLoop::quit);
    auto terminated = connect(d->page, &QWebEnginePage::renderProcessTerminated, &wait->loop,
                              &QEventLoop::quit);
    timer.start(d->timeoutMs);
    ++d->waitDepth;
    if (!wait->done)
        wait->loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (--d->waitDepth == 0)
        emit waitsEnded();
    disconnect(terminated);
    if (!wait->done && d->rendererAlive && !timer.isActive()) {
        // The renderer did not answer in time: treat it as hung.
        killRenderer();
    }
    return wait->done ? wait->result : QVariant();
}

bool WebHost::runScript(const QString& text)
{
    const QString wrapped = u"try{\n"_s + text + u"\n;'kestrova:ok'}catch(e){'kestrova:threw'}"_s;
    return runAndWait(wrapped, true).toString() == kOk;
}

WebHost::BufferState WebHost::bufferState()
{
    if (!hasDocument())
        return BufferState::NoDocument;
    const QString answer = runAndWait(u"(function(){"_s + kFindBuffer + u"return 'kestrova:ok';})()"_s,
                                      false).toString();
    if (answer == kOk)
        return BufferState::Ready;
    if (answer == u"kestrova:not-textarea")
        return BufferState::NotTextArea;
    if (answer == u"kestrova:none")
        return BufferState::NoElement;
    return BufferState::NoDocument;
}

bool WebHost::writeBuffer(const QString& text)
{
    const QString value = upToFirstNul(text);
    // The pieces are gathered in the program's own script world and joined once, so
    // the element is set in one step and only if every piece arrived.
    if (runAndWait(u"(function(){"_s + kFindBuffer + u"window.kestrovaPieces=[];return 'kestrova:ok';})()"_s,
                   false).toString() != kOk)
        return false;
    for (qsizetype at = 0; at < value.size(); at += kWriteChunkUnits) {
        const QString piece = scriptLiteral(QStringView(value).mid(at, kWriteChunkUnits));
        if (runAndWait(u"window.kestrovaPieces.push("_s + piece + u");'kestrova:ok'"_s, false).toString() != kOk) {
            runAndWait(u"window.kestrovaPieces=null;'kestrova:ok'"_s, false);
            return false;
        }
    }
    return runAndWait(u"(function(){"_s + kFindBuffer
                          + u"e.value=window.kestrovaPieces.join('');window.kestrovaPieces=null;"
                            "return 'kestrova:ok';})()"_s,
                      false).toString() == kOk;
}

bool WebHost::readBuffer(QString& text)
{
    text.clear();
    const QVariant length = runAndWait(u"(function(){"_s + kFindBuffer
                                           + u"window.kestrovaValue=e.value;return window.kestrovaValue.length;})()"_s,
                                       false);
    bool isNumber = false;
    const qsizetype total = length.toLongLong(&isNumber);
    if (!isNumber || length.typeId() == QMetaType::QString)
        return false;
    // The units come over as the bytes of a Uint16Array: exact for every value, lone
    // surrogates and NUL included, and with no text conversion on either side.
    QString value(total, Qt::Uninitialized);
    bool complete = true;
    for (qsizetype at = 0; at < total && complete; at += kReadChunkUnits) {
        const qsizetype count = std::min(kReadChunkUnits, total - at);
        const QVariant piece = runAndWait(
            u"(function(){var v=window.kestrovaValue,s=%1,n=%2,a=new Uint16Array(n);"
            "for(var i=0;i<n;++i)a[i]=v.charCodeAt(s+i);return a.buffer;})()"_s.arg(at).arg(count),
            false);
        const QByteArray bytes = piece.toByteArray();
        complete = piece.typeId() == QMetaType::QByteArray && bytes.size() == count * qsizetype(sizeof(char16_t));
        if (complete)
            std::memcpy(value.data() + at, bytes.constData(), size_t(bytes.size()));
    }
    runAndWait(u"window.kestrovaValue=null;'kestrova:ok'"_s, false);
    if (!complete)
        return false;
    text = upToFirstNul(value);
    return true;
}

void WebHost::killRenderer()
{
    const qint64 pid = d->page->renderProcessPid();
    if (pid <= 0)
        return;
    // Calls made before the engine reports the end fail at once instead of waiting.
    d->rendererAlive = false;
#ifdef Q_OS_WIN
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid))) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
#else
    ::kill(pid_t(pid), SIGKILL);
#endif
}

void WebHost::onRendererTerminated()
{
    d->rendererAlive = false;
    const qint64 now = d->clock.elapsed();
    d->restartTimes.append(now);
    while (!d->restartTimes.isEmpty() && now - d->restartTimes.constFirst() > 60000)
        d->restartTimes.removeFirst();
    if (d->restartTimes.size() > kMaxRestartsPerMinute) {
        // Crashing over and over: stay blank rather than loop, and say so.
        QTimer::singleShot(0, this, &WebHost::rendererGaveUp);
        return;
    }
    reloadAfterCrash();
}

void WebHost::reloadAfterCrash()
{
    // The engine must be done with an interrupted print before the page loads again.
    QTimer::singleShot(d->printing ? 100 : 0, this, [this] {
        if (d->printing) {
            reloadAfterCrash();
            return;
        }
        if (d->url.isEmpty())
            return;
        navigate(d->url);
        emit rendererRestarted();
    });
}

bool WebHost::isPrinting() const
{
    return d->printing;
}

bool WebHost::waitForPrint(const std::function<void()>& start, bool& finished)
{
    QEventLoop loop;
    auto terminated = connect(d->page, &QWebEnginePage::renderProcessTerminated, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Laying out a whole packet takes far longer than any script call.
    timer.start(d->timeoutMs * 4);
    d->printQuit = [&loop] { loop.quit(); };
    start();
    ++d->waitDepth;
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (--d->waitDepth == 0)
        emit waitsEnded();
    d->printQuit = nullptr;
    disconnect(terminated);
    return finished;
}

bool WebHost::printWithEngine(QPrinter& printer)
{
    if (!hasDocument())
        return false;
    bool finished = false;
    bool success = false;
    auto done = connect(d->view, &QWebEngineView::printFinished, this, [&](bool ok) {
        finished = true;
        success = ok;
        if (d->printQuit)
            d->printQuit();
    });
    waitForPrint([&] { d->view->print(&printer); }, finished);
    disconnect(done);
    return finished && success;
}

bool WebHost::printToPdf(const QString& filePath)
{
    return printToPdf(filePath, letterLayout());
}

bool WebHost::printToPdf(const QString& filePath, const QPageLayout& layout)
{
    if (!hasDocument() || d->callbackDepth > 0)
        return false;
    bool finished = false;
    bool success = false;
    auto done = connect(d->page, &QWebEnginePage::pdfPrintingFinished, this, [&](const QString&, bool ok) {
        finished = true;
        success = ok;
        if (d->printQuit)
            d->printQuit();
    });
    waitForPrint([&] { d->page->printToPdf(filePath, layout); }, finished);
    disconnect(done);
    return finished && success;
}

namespace {

struct Flag {
    explicit Flag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flag() { m_flag = false; }
    bool& m_flag;
};

void preparePrinter(QPrinter& printer)
{
    printer.setResolution(300);
    printer.setPageLayout(letterLayout());
}

} // namespace

void WebHost::print()
{
    if (d->printing || d->callbackDepth > 0)
        return;
    Flag busy(d->printing);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintDialog dialog(&printer, Prompts::owner());
    if (!Prompts::execDialog(dialog))
        return;
    // The engine's own print path rasterises; a PDF file gets real text this way.
    const bool toPdfFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    const bool ok = toPdfFile ? printToPdf(printer.outputFileName(), printer.pageLayout()) : printWithEngine(printer);
    if (!ok)
        Prompts::showMessage(Prompts::Icon::Error, u"Kestrova"_s, u"The form could not be printed."_s);
}

void WebHost::preview()
{
    if (d->printing || d->callbackDepth > 0)
        return;
    Flag busy(d->printing);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintPreviewDialog dialog(&printer, Prompts::owner());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        printWithEngine(*target);
    });
    Prompts::execDialog(dialog);
}
