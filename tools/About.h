#pragma once

#include <QString>

// The version the user sees, the same text as the executable's version strings.
inline QString VersionText() { return QStringLiteral(KESTROVA_VERSION_TEXT); }

QString AboutText();
void ShowAbout();
