// Fuzzes the text side of page commands against a plain restatement of the rules:
// only "kiv:" in any letter case starts a command, the command is the rest of the URL
// untouched, only the 26 capitals fold, and only an exact table name runs anything.
#include "view/PageCommands.h"

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

char16_t folded(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

const char16_t* const kNames[] = {u"new", u"open", u"save", u"save-as", u"preview-current",
                                  u"print-current", u"preview-packet", u"print-packet",
                                  u"defaults-save", u"defaults-apply", u"fake", u"validate",
                                  u"about", u"exit"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Half the inputs as UTF-8 (so seeds are readable), half as raw UTF-16 units.
    QString url;
    if (size > 0 && data[0] == 0xFF)
        url = QString(reinterpret_cast<const QChar*>(data + 1), qsizetype((size - 1) / 2));
    else
        url = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const QString fold = FoldAsciiLetters(url);
    if (fold.size() != url.size())
        abort();
    for (qsizetype i = 0; i < url.size(); ++i) {
        if (fold[i].unicode() != folded(url[i].unicode()))
            abort();
    }

    const bool isCommand = url.size() >= 4 && fold.startsWith(u"kiv:"_s);
    if (IsPageCommandUrl(url) != isCommand)
        abort();
    if (!isCommand)
        return 0;

    const QString command = PageCommandText(url);
    if (command != url.mid(4))
        abort();

    const PageCommand found = LookUpPageCommand(command);
    const QString foldedCommand = FoldAsciiLetters(command);
    int matches = 0;
    for (const char16_t* name : kNames) {
        if (foldedCommand == QStringView(name))
            ++matches;
    }
    if ((found != PageCommand::None) != (matches == 1))
        abort();
    return 0;
}
