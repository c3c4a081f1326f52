// What the test programs that run the real engine share: the start-up the program
// itself does, a wait that runs a real event loop, and small readers for results.
#pragma once

#include "host/Prompts.h"
#include "view/CKestrovaView.h"

#include <QApplication>
#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace EngineTest {

constexpr int TimeoutMs = 60000;

// Waits in a real event loop, as the program's main loop runs, until the condition
// holds or the time is up. (A command started from inside QTest::qWaitFor's
// processEvents loop can stall under the GLib dispatcher; the program never runs one
// that way.)
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = TimeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts of the messages shown since the prompts' records were last cleared.
inline QStringList messageTexts()
{
    QStringList texts;
    for (const Prompts::ShownMessage& shown : Prompts::shownMessages())
        texts << shown.text;
    return texts;
}

// Sends the program's data (clinic defaults, records) to `folder`, never the user's
// own, and lets the prompts answer from the test instead of opening dialogs.
inline void useScratchData(const QString& folder)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    Prompts::setTestMode(true);
}

// Loads the forms page the build copied beside the program, and waits until it has
// loaded and the view has run what the load started (the clinic defaults).
inline bool loadFormsPage(CKestrovaView& view)
{
    QSignalSpy loaded(view.host(), &WebHost::documentComplete);
    return view.LoadHtmlInterfaceFrom(QStringLiteral(KESTROVA_BUILD_DIR)) && loaded.wait(TimeoutMs)
        && QTest::qWaitFor([&] { return view.IsIdle(); }, TimeoutMs);
}

// Starts the application as the program does, then runs the test object's slots.
template <typename Test>
int run(int argc, char** argv)
{
    // Under the GLib event dispatcher, a script wait that starts right after an earlier
    // command can miss the engine's answer and end in a timeout.
    qputenv("QT_NO_GLIB", "1");
#ifdef Q_OS_UNIX
    // Chromium will not start as root with its sandbox on.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    Test test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

} // namespace EngineTest
