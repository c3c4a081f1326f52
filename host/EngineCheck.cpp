#include "host/EngineCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

bool helperProcessFound()
{
    const QString overridden = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!overridden.isEmpty())
        return QFileInfo(overridden).isExecutable();
#ifdef Q_OS_WIN
    const QString name = u"QtWebEngineProcess.exe"_s;
#else
    const QString name = u"QtWebEngineProcess"_s;
#endif
    const QString libexec = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath);
    return QFileInfo(QDir(libexec).filePath(name)).isExecutable();
}

bool sandboxAllowsStart()
{
#ifdef Q_OS_LINUX
    if (geteuid() != 0)
        return true;
    return qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")
        || qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(u"--no-sandbox"_s);
#else
    return true;
#endif
}

} // namespace

bool BrowserEngineAvailable()
{
    return helperProcessFound() && sandboxAllowsStart();
}
