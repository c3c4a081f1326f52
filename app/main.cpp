#include "app/CKestrovaApp.h"

#include <QApplication>

#include <memory>

namespace {

// --help and --version only print, so they must work without a display.
bool onlyPrints(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-v"
            || argument == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // Script results are waited for in local event loops; under the GLib event
    // dispatcher a loop started inside another nested loop can miss them.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    std::unique_ptr<QCoreApplication> application;
    if (onlyPrints(argc, argv))
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = std::make_unique<QApplication>(argc, argv);
    CKestrovaApp app;
    const int code = app.InitInstance(QCoreApplication::arguments()) ? QCoreApplication::exec()
                                                                      : app.StartExitCode();
    return app.ExitInstance(code);
}
