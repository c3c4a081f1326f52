#include "app/CKestrovaApp.h"

#include "app/AppTexts.h"
#include "app/CKestrovaDoc.h"
#include "app/CMainFrame.h"
#include "host/EngineCheck.h"
#include "host/Prompts.h"
#include "host/ShortcutKeyFilter.h"
#include "tools/About.h"
#include "view/CKestrovaView.h"
#include "view/ViewTexts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

using namespace Qt::StringLiterals;

CKestrovaApp::CKestrovaApp() = default;

CKestrovaApp::~CKestrovaApp()
{
    ExitInstance(0);
}

bool CKestrovaApp::InitInstance(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(AppTexts::appName());
    QCoreApplication::setApplicationVersion(VersionText());
    QCoreApplication::setOrganizationName(u"Quorvane"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(AppTexts::commandLineDescription());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(u"file"_s, u"A record file to name in the title (it is not loaded)."_s, u"[file]"_s);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        m_startExitCode = 2;
        return false;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString text = parser.isSet(help) ? parser.helpText()
                                                : AppTexts::appName() + u' ' + VersionText() + u'\n';
        std::fputs(qPrintable(text), stdout);
        std::fflush(stdout);
        m_startExitCode = 0;
        return false;
    }

    if (!BrowserEngineAvailable()) {
        Prompts::showMessage(Prompts::Icon::Warning, AppTexts::appName(), AppTexts::engineUnavailable());
        return false;
    }

    m_doc = std::make_unique<CKestrovaDoc>();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        if (!m_doc->OnOpenDocument(files.constFirst())) {
            Prompts::showMessage(Prompts::Icon::Error, AppTexts::appName(),
                                 AppTexts::fileNotOpened().arg(QDir::toNativeSeparators(files.constFirst())));
            return false;
        }
    } else {
        m_doc->OnNewDocument();
    }

    m_keyFilter = std::make_unique<ShortcutKeyFilter>();
    qApp->installEventFilter(m_keyFilter.get());

    // Lets the desktop match the window to its menu entry.
    QGuiApplication::setDesktopFileName(u"org.quorvane.Kestrova"_s);
    m_view = std::make_unique<CKestrovaView>();
    m_frame = std::make_unique<CMainFrame>(m_view.get());
    Prompts::setOwner(m_frame.get());
    m_view->OnInitialUpdate();
    m_frame->setWindowTitle(ViewTexts::literalTitle(m_doc->GetTitle()) + u" - "_s + AppTexts::windowTitle());
    // Without a window manager (a bare X server) "maximised" is only a flag: give the
    // window the whole screen too.
    if (QScreen* screen = m_frame->screen())
        m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    return true;
}

int CKestrovaApp::ExitInstance(int exitCode)
{
    // The page and its view must go before the profile, and all of it before the
    // QApplication.
    if (m_keyFilter)
        qApp->removeEventFilter(m_keyFilter.get());
    m_frame.reset();
    m_view.reset();
    m_keyFilter.reset();
    return exitCode;
}

int CKestrovaApp::StartExitCode() const
{
    return m_startExitCode;
}

CMainFrame* CKestrovaApp::MainFrame() const
{
    return m_frame.get();
}

CKestrovaView* CKestrovaApp::View() const
{
    return m_view.get();
}
