// Under a real X server: the four accelerators act while the caret is in a page field,
// and the page sees none of their keys. Also leaves a screenshot of the started
// program in the build folder for a person to look at.

#include "app/CKestrovaApp.h"
#include "app/CMainFrame.h"
#include "host/Prompts.h"
#include "tests/EngineTest.h"
#include "view/CKestrovaView.h"

#include <QDialog>
#include <QPrintDialog>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void acceleratorsActInsideThePage_data();
    void acceleratorsActInsideThePage();
    void screenshot();

private:
    void focusPageField();
    QString keysSeenByPage();

    QTemporaryDir m_data;
    CKestrovaApp m_app;
    QStringList m_dialogs;
};

void TestShortcuts::initTestCase()
{
    EngineTest::useScratchData(m_data.path());
    QVERIFY(m_app.InitInstance({u"kestrova"_s}));
    QSignalSpy loaded(m_app.View()->host(), &WebHost::documentComplete);
    QVERIFY(loaded.wait(60000));
    QTRY_VERIFY_WITH_TIMEOUT(m_app.View()->IsIdle(), 30000);
    m_app.MainFrame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_app.MainFrame(), 10000));
    QVERIFY(m_app.View()->ExecuteScript(
        u"window.keysSeen = [];"
        "['keydown','keypress','keyup'].forEach(function (type) {"
        "  document.addEventListener(type, function (e) { window.keysSeen.push(type + ':' + e.key.toLowerCase()); }, true);"
        "});"_s));
}

void TestShortcuts::cleanupTestCase()
{
    m_app.ExitInstance(0);
}

void TestShortcuts::focusPageField()
{
    m_app.View()->widget()->setFocus();
    QVERIFY(m_app.View()->ExecuteScript(
        u"(function () { var field = document.querySelector('#formArea input[type=text]');"
        " field.focus(); if (document.activeElement !== field) throw new Error('no focus'); })();"_s));
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
}

QString TestShortcuts::keysSeenByPage()
{
    m_app.View()->ExecuteScript(u"document.getElementById('nativeBuffer').value = window.keysSeen.join(' ');"
                                "window.keysSeen = [];"_s);
    QString seen;
    m_app.View()->ReadNativeBuffer(seen);
    return seen;
}

void TestShortcuts::acceleratorsActInsideThePage_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("letter");
    QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << u"s"_s;
    QTest::newRow("Ctrl+O opens") << int(Qt::Key_O) << u"o"_s;
    QTest::newRow("Ctrl+N starts a new record") << int(Qt::Key_N) << u"n"_s;
    QTest::newRow("Ctrl+P prints") << int(Qt::Key_P) << u"p"_s;
}

void TestShortcuts::acceleratorsActInsideThePage()
{
    QFETCH(int, key);
    QFETCH(QString, letter);
    Prompts::clearTestRecords();
    bool printDialogShown = false;
    Prompts::setDialogHandler([&](QDialog& dialog) {
        printDialogShown = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
        return false;
    });
    m_app.View()->m_strRecordPath = u"/records/before.kiv"_s;
    focusPageField();
    keysSeenByPage();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
    QTest::qWait(300);
    QTRY_VERIFY_WITH_TIMEOUT(m_app.View()->IsIdle(), 30000);

    switch (key) {
    case Qt::Key_S: // a record with a file is saved over it; here the folder does not exist
    case Qt::Key_O:
        if (key == Qt::Key_O) {
            QCOMPARE(Prompts::fileRequests().size(), 1);
            QVERIFY(!Prompts::fileRequests().at(0).save);
        } else {
            QCOMPARE(Prompts::shownMessages().size(), 1);
            QCOMPARE(Prompts::shownMessages().at(0).text, u"Could not save the occupational-health record."_s);
        }
        break;
    case Qt::Key_N:
        QVERIFY(m_app.View()->m_strRecordPath.isEmpty());
        QCOMPARE(m_app.MainFrame()->windowTitle(), u"Kestrova"_s);
        break;
    case Qt::Key_P:
        QVERIFY(printDialogShown);
        break;
    }
    const QString seen = keysSeenByPage();
    QVERIFY2(!seen.contains(u':' + letter), qPrintable(seen));
}

void TestShortcuts::screenshot()
{
    CMainFrame* frame = m_app.MainFrame();
    QVERIFY(frame->isMaximized());
    QVERIFY(frame->width() >= frame->screen()->availableGeometry().width() - 20);
    QTest::qWait(500);
    const QPixmap shot = frame->screen()->grabWindow(0);
    QVERIFY(shot.save(QStringLiteral(KESTROVA_BUILD_DIR "/kestrova-screenshot.png")));
}

int main(int argc, char** argv)
{
    return EngineTest::run<TestShortcuts>(argc, argv);
}

#include "tst_x11_shortcuts.moc"
