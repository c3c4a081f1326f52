// Print and preview in the real engine, and the About box.
#include "host/Prompts.h"
#include "tests/EngineTest.h"
#include "tools/About.h"
#include "view/CKestrovaView.h"
#include "view/CommandIds.h"

#include <QApplication>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int kEngineTimeoutMs = 120000;

QUrl fixture(const QString& name)
{
    return QUrl::fromLocalFile(QStringLiteral(KESTROVA_SOURCE_DIR) + u"/tests/data/bridge/"_s + name);
}

// Printing a whole packet takes the engine a while.
bool waitUntil(const std::function<bool()>& condition)
{
    return EngineTest::waitUntil(condition, kEngineTimeoutMs);
}

// Answers the print dialog as a user who prints to the PDF file `pdf` on `paper`
// ("letter" or "A4"), noting the class of every dialog shown in `dialogs`.
void answerPrintDialogWithPdf(const QString& pdf, const QString& paper, QStringList* dialogs = nullptr)
{
    Prompts::setDialogHandler([=](QDialog& dialog) {
        if (dialogs)
            *dialogs << QString::fromLatin1(dialog.metaObject()->className());
        auto* printDialog = qobject_cast<QPrintDialog*>(&dialog);
        if (!printDialog)
            return false;
        printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        printDialog->printer()->setOutputFileName(pdf);
        if (paper == u"A4"_s)
            printDialog->printer()->setPageSize(QPageSize(QPageSize::A4));
        return true;
    });
}

// The PDF's text, of one page when `page` is given.
QString pdfText(const QString& path, int page = 0)
{
    QStringList arguments{u"-layout"_s};
    if (page > 0)
        arguments << u"-f"_s << QString::number(page) << u"-l"_s << QString::number(page);
    QProcess process;
    process.start(u"pdftotext"_s, arguments << path << u"-"_s);
    if (!process.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

QString pdfInfo(const QString& path, const QString& key)
{
    QProcess info;
    info.start(u"pdfinfo"_s, {path});
    if (!info.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(info.readAllStandardOutput()).section(key + u':', 1).section(u'\n', 0, 0).trimmed();
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void printToPdfFile_data();
    void printToPdfFile();
    void packetPageNumbers_data();
    void packetPageNumbers();
    void preview();
    void noReentry();
    void printWithoutPage();
    void aboutText();
    void aboutBox();
    void versionOption();

private:
    bool loadView(const QString& name);
    bool loadUrl(const QUrl& url);
    QString pageCalls();

    QTemporaryDir m_dir;
    std::unique_ptr<CKestrovaView> m_view;
};

void TestPrint::initTestCase()
{
    QVERIFY(m_dir.isValid());
    EngineTest::useScratchData(m_dir.path());
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed");
}

void TestPrint::init()
{
    Prompts::clearTestRecords();
    m_view = std::make_unique<CKestrovaView>();
    m_view->widget()->resize(900, 700);
    m_view->widget()->show();
}

void TestPrint::cleanup()
{
    m_view.reset();
}

bool TestPrint::loadView(const QString& name)
{
    return loadUrl(fixture(name));
}

bool TestPrint::loadUrl(const QUrl& url)
{
    QSignalSpy complete(m_view->host(), &WebHost::documentComplete);
    m_view->host()->navigate(url);
    return waitUntil([&] {
        for (const QList<QVariant>& report : complete) {
            if (report.at(0).toUrl() == url)
                return true;
        }
        return false;
    }) && waitUntil([&] { return m_view->IsIdle(); });
}

QString TestPrint::pageCalls()
{
    QString text;
    if (!m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value = window.calls ? window.calls.join(' ') : '';"_s)
        || !m_view->ReadNativeBuffer(text))
        return u"(page did not answer)"_s;
    return text;
}

void TestPrint::printToPdfFile_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("commandId");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("calls");
    QTest::addColumn<QString>("paper"); // the size the user picks in the dialog, as pdfinfo names it

    QTest::newRow("current form") << u"page.html"_s << int(ID_FILE_PRINT) << u"Current form laid out for print"_s
                                  << u"preparePrintCurrent"_s << u"letter"_s;
    QTest::newRow("packet on A4") << u"page.html"_s << int(ID_FILE_PRINT_PACKET)
                                  << u"Complete packet laid out for print"_s << u"preparePrintPacket"_s << u"A4"_s;
    QTest::newRow("page without prepare functions") << u"plain.html"_s << int(ID_FILE_PRINT)
                                                    << u"Plain page without print preparation"_s << QString()
                                                    << u"letter"_s;
}

void TestPrint::printToPdfFile()
{
    QFETCH(QString, page);
    QFETCH(int, commandId);
    QFETCH(QString, printed);
    QFETCH(QString, calls);
    QFETCH(QString, paper);
    QVERIFY(loadView(page));

    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
    QStringList dialogs;
    answerPrintDialogWithPdf(pdf, paper, &dialogs);
    m_view->Post([view = m_view.get(), commandId] { view->OnCommand(commandId); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));

    QCOMPARE(dialogs, QStringList{u"QPrintDialog"_s});
    QCOMPARE(pageCalls(), calls);
    QVERIFY(Prompts::shownMessages().isEmpty());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    // Real text, as the engine laid the page out after the prepare call.
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(printed), qPrintable(text));
    QVERIFY(m_view->m_strRecordPath.isEmpty());

    const QString pageSize = pdfInfo(pdf, u"Page size"_s);
    QVERIFY2(pageSize.contains(u"("_s + paper + u")"_s), qPrintable(pageSize));
}

void TestPrint::packetPageNumbers_data()
{
    QTest::addColumn<QString>("paper"); // picked in the dialog
    QTest::addColumn<int>("noteWords"); // words of a long note typed on screen, 0 for none
    QTest::addColumn<QString>("form"); // the form shown for typing it
    QTest::addColumn<QString>("field"); // the field typed into, the first of its kind on that form
    QTest::addColumn<bool>("numbered");

    QTest::newRow("Letter") << u"letter"_s << 0 << QString() << QString() << true;
    QTest::newRow("A4") << u"A4"_s << 0 << QString() << QString() << true;
    // Taller than a sheet: the note is cut between words and carries on on the next sheets.
    QTest::newRow("note longer than a page") << u"letter"_s << 4000 << QString() << u"textarea"_s << true;
    // A comment in a table cell cannot be cut: the packet flows over the pages
    // without page numbers, and still loses nothing.
    QTest::newRow("table comment longer than a page") << u"letter"_s << 1500 << u"mcsa-5875"_s
                                                      << u".choice-comment"_s << false;
}

// The real forms page prints the packet of a record holding every form: each
// printed page says which page of how many it is.
void TestPrint::packetPageNumbers()
{
    QFETCH(QString, paper);
    QFETCH(int, noteWords);
    QFETCH(QString, form);
    QFETCH(QString, field);
    QFETCH(bool, numbered);
    QVERIFY(loadUrl(QUrl::fromLocalFile(QStringLiteral(KESTROVA_BUILD_DIR) + u"/html/kestrova.html"_s)));
    QVERIFY(m_view->ExecuteScript(
        u"fillTestData(); Kestrova.forms.list().forEach(function (d) {"
        " var c = document.getElementById('include-' + d.id); if (!c.checked) c.click(); });"_s));
    if (!form.isEmpty()) {
        QVERIFY(m_view->ExecuteScript(
            u"document.getElementById('include-%1').parentNode.querySelector('.form-link').click();"_s.arg(form)));
    }
    if (noteWords) {
        // Paragraphs of words, a blank line between them.
        QVERIFY(m_view->ExecuteScript(
            u"var note = document.querySelector('#formArea %1'), words = [];"
            " for (var i = 0; i < %2; ++i) words.push('quokka' + (i % 150 === 149 ? '\\n\\n' : ' '));"
            " note.value = 'NoteBegins ' + words.join('') + 'NoteEnds';"
            " note.dispatchEvent(new Event('input', { bubbles: true }));"_s.arg(field).arg(noteWords)));
    }

    const QString pdf = m_dir.filePath(u"packet-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
    answerPrintDialogWithPdf(pdf, paper);
    m_view->Post([view = m_view.get()] { view->OnCommand(ID_FILE_PRINT_PACKET); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    QVERIFY(Prompts::shownMessages().isEmpty());

    const int pages = pdfInfo(pdf, u"Pages"_s).toInt();
    // At least a page for each of the forms.
    QVERIFY2(pages >= 14, qPrintable(QString::number(pages)));
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfText(pdf, page);
        QVERIFY2(text.contains(u"Patient: TEST, Patient"_s), qPrintable(QString::number(page)));
        if (numbered)
            QVERIFY2(text.contains(u"Page %1 of %2"_s.arg(page).arg(pages)), qPrintable(QString::number(page) + u": "_s + text));
        else
            QVERIFY2(!text.contains(u"Page "_s + QString::number(page) + u" of"_s), qPrintable(text));
    }

    if (noteWords) {
        // Nothing of the note is lost or repeated: each form that prints it has all
        // its words, in order, however many sheets they take.
        QString copies;
        QVERIFY(m_view->ExecuteScript(u"document.getElementById('nativeBuffer').value ="
                                      " String(document.getElementById('printRoot').textContent.split('NoteBegins').length - 1);"_s));
        QVERIFY(m_view->ReadNativeBuffer(copies));
        QVERIFY2(copies.toInt() >= 1, qPrintable(copies));
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(u"NoteBegins"_s), copies.toInt());
        QCOMPARE(text.count(u"quokka"_s), copies.toInt() * noteWords);
        qsizetype from = 0;
        for (int copy = 0; copy < copies.toInt(); ++copy) {
            const qsizetype begins = text.indexOf(u"NoteBegins"_s, from);
            const qsizetype ends = text.indexOf(u"NoteEnds"_s, begins);
            QVERIFY(begins >= 0 && ends > begins);
            QCOMPARE(text.mid(begins, ends - begins).count(u"quokka"_s), noteWords);
            from = ends;
        }
        if (numbered)
            QVERIFY(text.contains(u"(continued)"_s, Qt::CaseInsensitive));
    }
}

void TestPrint::preview()
{
    QVERIFY(loadView(u"page.html"_s));
    int pages = -1;
    QString callsWhenShown;
    Prompts::setDialogHandler([&](QDialog& dialog) {
        auto* previewDialog = qobject_cast<QPrintPreviewDialog*>(&dialog);
        if (!previewDialog)
            return false;
        callsWhenShown = pageCalls();
        // Showing the preview makes it ask for the pages, which the engine draws.
        previewDialog->show();
        auto* widget = previewDialog->findChild<QPrintPreviewWidget*>();
        pages = widget ? widget->pageCount() : -2;
        previewDialog->reject();
        return false;
    });
    m_view->Post([view = m_view.get()] { view->OnCommand(ID_FILE_PREVIEW_PACKET); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    QCOMPARE(callsWhenShown, u"preparePrintPacket"_s);
    QVERIFY2(pages >= 1, qPrintable(QString::number(pages)));
    QVERIFY(!m_view->host()->isPrinting());
    // The page keeps the print layout; nothing restores it from our side.
    QCOMPARE(pageCalls(), u"preparePrintPacket"_s);
}

void TestPrint::noReentry()
{
    QVERIFY(loadView(u"page.html"_s));
    int dialogs = 0;
    Prompts::setDialogHandler([&](QDialog&) {
        ++dialogs;
        // Another print while this one is open is refused, prepare call and all.
        m_view->PrintJob(false, false);
        m_view->PrintJob(true, true);
        m_view->host()->print();
        m_view->host()->preview();
        return false;
    });
    m_view->Post([view = m_view.get()] { view->OnCommand(ID_FILE_PRINT); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    QCOMPARE(dialogs, 1);
    QCOMPARE(pageCalls(), u"preparePrintCurrent"_s);

    // Once it is closed, printing works again and prepares again.
    m_view->Post([view = m_view.get()] { view->OnCommand(ID_FILE_PRINT); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    QCOMPARE(dialogs, 2);
    QCOMPARE(pageCalls(), u"preparePrintCurrent preparePrintCurrent"_s);
}

void TestPrint::printWithoutPage()
{
    const QString pdf = m_dir.filePath(u"nothing.pdf"_s);
    Prompts::setDialogHandler([&](QDialog& dialog) {
        if (auto* printDialog = qobject_cast<QPrintDialog*>(&dialog)) {
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(pdf);
            return true;
        }
        if (auto* previewDialog = qobject_cast<QPrintPreviewDialog*>(&dialog))
            previewDialog->show();
        return false;
    });
    m_view->OnCommand(ID_FILE_PRINT);
    m_view->OnCommand(ID_FILE_PRINT_PREVIEW);
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(!m_view->host()->isPrinting());
}

void TestPrint::aboutText()
{
    QCOMPARE(VersionText(), u"2.02"_s);
    QString text = AboutText();
    QVERIFY(!text.endsWith(u'\n'));
    text.remove(u'\r');
    const QStringList lines = text.split(u'\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.at(0), u"Kestrova"_s);
    QCOMPARE(lines.at(1), u"Software Version 2.02"_s);
    QVERIFY(lines.at(2).isEmpty());
    QCOMPARE(lines.at(3), u"Quorvane"_s);
    QVERIFY(!lines.at(4).isEmpty());
    QVERIFY(!lines.at(5).isEmpty());
    QVERIFY(lines.at(6).isEmpty());
    QVERIFY(!lines.at(7).isEmpty());
    QCOMPARE(lines.at(8), u"Includes DOT/FMCSA, OSHA, FMLA, OWCP/FECA and clinic occupational-health forms."_s);
    QCOMPARE(lines.at(9), u"Patient data stays on this computer or a location selected by the user."_s);
}

void TestPrint::aboutBox()
{
    // From the menu and from the page: the same box, also without a page.
    m_view->Post([view = m_view.get()] { view->OnCommand(ID_HELP_ABOUT); });
    m_view->Post([view = m_view.get()] { view->HandlePageCommand(u"ABOUT"_s); });
    QVERIFY(waitUntil([&] { return m_view->IsIdle(); }));
    const auto messages = Prompts::shownMessages();
    QCOMPARE(messages.size(), 2);
    for (const Prompts::ShownMessage& message : messages) {
        QCOMPARE(message.caption, u"About Kestrova"_s);
        QCOMPARE(message.icon, Prompts::Icon::Information);
        QCOMPARE(message.text, AboutText());
    }
}

void TestPrint::versionOption()
{
    const QString program = QStringLiteral(KESTROVA_BUILD_DIR) + u"/kestrova"_s;
    if (!QFileInfo(program).isExecutable())
        QSKIP("the kestrova program is not built");
    QProcess process;
    process.start(program, {u"--version"_s});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(), u"Kestrova "_s + VersionText());
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestPrint>(argc, argv);
}

#include "tst_print.moc"
