// The application shell: menu, titles, command line, missing page, exit.

#include "app/CKestrovaApp.h"
#include "app/CMainFrame.h"
#include "host/Prompts.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"
#include "view/CommandIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void menuTable_data();
    void menuTable();
    void menuSeparatorsAndShortcuts();
    void titleSequence_data();
    void titleSequence();
    void unreadableCommandLineFile_data();
    void unreadableCommandLineFile();
    void engineThatCannotStart();
    void missingPageNamesItsPath();
    void exitAsksNothing();
    void versionAndHelpPrintWithoutDisplay();

private:
    QTemporaryDir m_data;
};

void TestApp::init()
{
    QVERIFY(m_data.isValid());
    EngineTest::useScratchData(m_data.path());
    Prompts::clearTestRecords();
}

void TestApp::menuTable_data()
{
    QTest::addColumn<QString>("popup");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");

    struct Row { const char* popup; int position; const char* text; int id; const char* name; };
    const Row rows[] = {
        {"&File", 0, "&New Patient / Record\tCtrl+N", 57600, "ID_FILE_NEW"},
        {"&File", 1, "&Open Record...\tCtrl+O", 57601, "ID_FILE_OPEN"},
        {"&File", 2, "&Save\tCtrl+S", 57603, "ID_FILE_SAVE"},
        {"&File", 3, "Save &As...", 32774, "ID_FILE_SAVE_RECORD_AS"},
        {"&File", 5, "Print Pre&view Current Form", 57609, "ID_FILE_PRINT_PREVIEW"},
        {"&File", 6, "&Print Current Form...\tCtrl+P", 57607, "ID_FILE_PRINT"},
        {"&File", 7, "Preview Complete Packet", 32779, "ID_FILE_PREVIEW_PACKET"},
        {"&File", 8, "Print Complete Packet...", 32780, "ID_FILE_PRINT_PACKET"},
        {"&File", 10, "E&xit", 57665, "ID_APP_EXIT"},
        {"&Tools", 0, "&Validate Record", 32778, "ID_TOOLS_VALIDATE"},
        {"&Tools", 1, "Apply Clinic Defaults", 32776, "ID_TOOLS_APPLY_DEFAULTS"},
        {"&Tools", 2, "Save Clinic Defaults", 32775, "ID_TOOLS_SAVE_DEFAULTS"},
        {"&Tools", 3, "Fill Test Data", 32777, "ID_TOOLS_FILL_TEST_DATA"},
        {"&Help", 0, "About Kestrova", 32773, "ID_HELP_ABOUT"},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << QString::fromUtf8(row.popup) << row.position << QString::fromUtf8(row.text)
                                << row.id << QString::fromUtf8(row.name);
}

void TestApp::menuTable()
{
    QFETCH(QString, popup);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, id);
    QFETCH(QString, name);

    CKestrovaView view;
    CMainFrame frame(&view);
    QMenu* menu = nullptr;
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() == popup)
            menu = top->menu();
    }
    QVERIFY(menu);
    const QList<QAction*> items = menu->actions();
    QVERIFY(position < items.size());
    QAction* item = items.at(position);
    QCOMPARE(item->text(), text);
    QCOMPARE(item->data().toInt(), id);
    QCOMPARE(item->objectName(), name);
    QVERIFY(item->isEnabled());
    QCOMPARE(frame.findChild<QAction*>(name), item);
}

void TestApp::menuSeparatorsAndShortcuts()
{
    CKestrovaView view;
    CMainFrame frame(&view);
    QStringList popups;
    for (QAction* top : frame.menuBar()->actions())
        popups << top->text();
    QCOMPARE(popups, (QStringList{u"&File"_s, u"&Tools"_s, u"&Help"_s}));

    const QList<QAction*> file = frame.menuBar()->actions().at(0)->menu()->actions();
    QCOMPARE(file.size(), 11);
    QVERIFY(file.at(4)->isSeparator());
    QVERIFY(file.at(9)->isSeparator());
    QCOMPARE(frame.menuBar()->actions().at(1)->menu()->actions().size(), 4);
    QCOMPARE(frame.menuBar()->actions().at(2)->menu()->actions().size(), 1);

    const QList<std::pair<int, QString>> keys = {
        {ID_FILE_NEW, u"Ctrl+N"_s}, {ID_FILE_OPEN, u"Ctrl+O"_s}, {ID_FILE_SAVE, u"Ctrl+S"_s}, {ID_FILE_PRINT, u"Ctrl+P"_s}};
    int withShortcut = 0;
    for (QAction* action : frame.findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            ++withShortcut;
    }
    QCOMPARE(withShortcut, int(keys.size()));
    for (const auto& [id, key] : keys)
        QCOMPARE(frame.action(id)->shortcut(), QKeySequence(key));
}

void TestApp::titleSequence_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::newRow("no argument") << false;
    QTest::newRow("file named on the command line") << true;
}

void TestApp::titleSequence()
{
    QFETCH(bool, withFile);
    {
        CKestrovaView view;
        CMainFrame frame(&view);
        // Created as "Kestrova Records", then renamed while it is made.
        QCOMPARE(frame.windowTitle(), u"Kestrova"_s);
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(u"Smith, John.kiv"_s);
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not loaded");
    f.close();

    CKestrovaApp app;
    QStringList arguments{u"kestrova"_s};
    if (withFile)
        arguments << file;
    QVERIFY(app.InitInstance(arguments));
    CMainFrame* frame = app.MainFrame();
    QVERIFY(frame);
    QVERIFY(frame->isMaximized());
    QVERIFY(!frame->windowIcon().isNull());
    QCOMPARE(frame->windowTitle(), withFile ? u"Smith, John.kiv - Kestrova Records"_s : u"Kestrova - Kestrova Records"_s);
    QVERIFY(app.View()->m_strRecordPath.isEmpty());
    QVERIFY(Prompts::shownMessages().isEmpty());

    app.View()->UpdateFrameTitle();
    QCOMPARE(frame->windowTitle(), u"Kestrova"_s);
    app.View()->m_strRecordPath = u"/records/Smith, John.kiv"_s;
    app.View()->UpdateFrameTitle();
    QCOMPARE(frame->windowTitle(), u"Kestrova - Smith, John.kiv"_s);
    // Qt's unsaved-changes mark must not eat part of a file's name.
    app.View()->m_strRecordPath = u"/records/Smith [*].kiv"_s;
    app.View()->UpdateFrameTitle();
    QCOMPARE(frame->windowHandle()->title(), u"Kestrova - Smith [*].kiv"_s);
    app.ExitInstance(0);
}

void TestApp::unreadableCommandLineFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << u"no-such-record.kiv"_s;
    QTest::newRow("a folder") << u"folder.kiv"_s;
    QTest::newRow("a pipe") << u"pipe.kiv"_s; // opening it would wait for a writer for ever
}

void TestApp::unreadableCommandLineFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(u"folder.kiv"_s);
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(u"pipe.kiv"_s)).constData(), 0600) == 0);
    const QString path = dir.filePath(name);

    CKestrovaApp app;
    QVERIFY(!app.InitInstance({u"kestrova"_s, path}));
    QVERIFY(!app.MainFrame());
    QCOMPARE(app.StartExitCode(), 1);
    const QList<Prompts::ShownMessage> shown = Prompts::shownMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).icon, Prompts::Icon::Error);
    QCOMPARE(shown.at(0).caption, u"Kestrova"_s);
    QVERIFY2(shown.at(0).text.contains(path), qPrintable(shown.at(0).text));
}

void TestApp::engineThatCannotStart()
{
    qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    CKestrovaApp app;
    // The engine is checked before the command line, so its message is the one shown.
    const bool started = app.InitInstance({u"kestrova"_s, u"/nonexistent/record.kiv"_s});
    qunsetenv("QTWEBENGINEPROCESS_PATH");
    QVERIFY(!started);
    QVERIFY(!app.MainFrame());
    QCOMPARE(Prompts::shownMessages().size(), 1);
    QCOMPARE(Prompts::shownMessages().at(0).text,
             u"Windows could not initialize the browser component required by Kestrova."_s);
}

void TestApp::missingPageNamesItsPath()
{
    QTemporaryDir dir;
    CKestrovaView view;
    QVERIFY(!view.LoadHtmlInterfaceFrom(dir.path()));
    const QList<Prompts::ShownMessage> shown = Prompts::shownMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).icon, Prompts::Icon::Error);
    QCOMPARE(shown.at(0).text,
             u"The Kestrova HTML interface could not be found:\n\n%1/html/kestrova.html\n\n"
             "Rebuild the project so the html folder is copied beside Kestrova.exe."_s.arg(dir.path()));
    QVERIFY(!view.host()->hasDocument());
    // The bridge fails quietly with no page, and the menu stays usable.
    QVERIFY(!view.ExecuteScript(u"1"_s));
    QString text = u"stale"_s;
    QVERIFY(!view.ReadNativeBuffer(text));
    QVERIFY(text.isEmpty());

    // Any entry of that name passes the existence test.
    QVERIFY(QDir(dir.path()).mkpath(u"html/kestrova.html"_s));
    QVERIFY(view.LoadHtmlInterfaceFrom(dir.path()));
}

void TestApp::exitAsksNothing()
{
    CKestrovaApp app;
    QVERIFY(app.InitInstance({u"kestrova"_s}));
    CMainFrame* frame = app.MainFrame();
    QSignalSpy loaded(app.View()->host(), &WebHost::documentComplete);
    QVERIFY(loaded.wait(60000));
    app.View()->ExecuteScript(u"fillTestData();"_s);

    frame->action(ID_APP_EXIT)->trigger();
    QVERIFY(!frame->isVisible());
    QVERIFY(Prompts::shownMessages().isEmpty());
    QVERIFY(Prompts::fileRequests().isEmpty());
    app.ExitInstance(0);
}

void TestApp::versionAndHelpPrintWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    const QString program = QStringLiteral(KESTROVA_BUILD_DIR "/kestrova");

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {u"--version"_s});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray("Kestrova 2.02\n"));

    process.start(program, {u"--help"_s});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    QVERIFY(help.contains("--version") && help.contains("[file]"));
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestApp>(argc, argv);
}

#include "tst_app.moc"
