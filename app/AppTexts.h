#pragma once

#include <QString>

// The texts of the application shell, written once.
namespace AppTexts {

inline QString appName() { return QStringLiteral("Kestrova"); }
inline QString windowTitle() { return QStringLiteral("Kestrova Records"); }
inline QString docName() { return QStringLiteral("Kestrova"); }
inline QString engineUnavailable()
{
    return QStringLiteral("Windows could not initialize the browser component required by Kestrova.");
}
inline QString fileNotOpened()
{
    return QStringLiteral("The file named on the command line could not be opened:\n\n%1");
}
inline QString commandLineDescription()
{
    return QStringLiteral("Fills in, saves and prints occupational-health forms.");
}

} // namespace AppTexts
