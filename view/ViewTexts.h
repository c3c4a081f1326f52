#pragma once

#include <QString>

// The texts the view shows or runs, written once.
namespace ViewTexts {

inline QString appName() { return QStringLiteral("Kestrova"); }

// A window title shows "[*]" as the unsaved-changes mark and drops it otherwise; a
// file name that holds those characters must show them as they are.
inline QString literalTitle(QString title)
{
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}
inline QString interfaceLocation() { return QStringLiteral("/html/kestrova.html"); }
inline QString missingInterface()
{
    return QStringLiteral("The Kestrova HTML interface could not be found:\n\n%1\n\n"
                          "Rebuild the project so the html folder is copied beside Kestrova.exe.");
}
inline QString formReloaded()
{
    return QStringLiteral("The form stopped responding and was reloaded.\n\n"
                          "Unsaved changes on the form were lost.");
}

inline QString formNotReloaded()
{
    return QStringLiteral("The form stopped responding several times in a row and was not reloaded.\n\n"
                          "Unsaved changes on the form were lost. Close Kestrova and start it again.");
}

} // namespace ViewTexts
