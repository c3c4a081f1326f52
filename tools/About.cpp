#include "tools/About.h"

#include "host/Prompts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString AboutText()
{
    const QStringList lines = {
        u"Kestrova"_s,
        u"Software Version %1"_s.arg(VersionText()),
        QString(),
        u"Quorvane"_s,
        u"www.quorvane.example"_s,
        u"Telephone +1 555 0100"_s,
        QString(),
        u"Built with Qt and its Chromium-based web engine."_s,
        u"Includes DOT/FMCSA, OSHA, FMLA, OWCP/FECA and clinic occupational-health forms."_s,
        u"Patient data stays on this computer or a location selected by the user."_s,
    };
    return lines.join(u'\n');
}

void ShowAbout()
{
    Prompts::showMessage(Prompts::Icon::Information, u"About Kestrova"_s, AboutText());
}
