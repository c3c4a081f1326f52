#include "view/PageCommands.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kPrefix = u"kiv:"_s;

const std::array<std::pair<QStringView, PageCommand>, 14> kCommands = {{
    {u"new", PageCommand::New},
    {u"open", PageCommand::Open},
    {u"save", PageCommand::Save},
    {u"save-as", PageCommand::SaveAs},
    {u"preview-current", PageCommand::PreviewCurrent},
    {u"print-current", PageCommand::PrintCurrent},
    {u"preview-packet", PageCommand::PreviewPacket},
    {u"print-packet", PageCommand::PrintPacket},
    {u"defaults-save", PageCommand::DefaultsSave},
    {u"defaults-apply", PageCommand::DefaultsApply},
    {u"fake", PageCommand::Fake},
    {u"validate", PageCommand::Validate},
    {u"about", PageCommand::About},
    {u"exit", PageCommand::Exit},
}};

} // namespace

QString FoldAsciiLetters(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

bool IsPageCommandUrl(const QString& url)
{
    return FoldAsciiLetters(url.left(kPrefix.size())) == kPrefix;
}

QString PageCommandText(const QString& url)
{
    return url.mid(kPrefix.size());
}

PageCommand LookUpPageCommand(const QString& commandText)
{
    const QString folded = FoldAsciiLetters(commandText);
    for (const auto& [name, command] : kCommands) {
        if (folded == name)
            return command;
    }
    return PageCommand::None;
}
