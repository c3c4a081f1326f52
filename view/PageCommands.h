#pragma once

#include <QString>

// The text side of page commands: a page asks for an action by navigating to
// "kiv:" followed by a command name. Nothing here depends on the browser.

enum class PageCommand {
    None,
    New,
    Open,
    Save,
    SaveAs,
    PreviewCurrent,
    PrintCurrent,
    PreviewPacket,
    PrintPacket,
    DefaultsSave,
    DefaultsApply,
    Fake,
    Validate,
    About,
    Exit,
};

// Lower-cases the 26 ASCII capitals only, whatever the user's locale.
QString FoldAsciiLetters(const QString& text);

// True when the URL, folded, starts with "kiv:".
bool IsPageCommandUrl(const QString& url);

// The URL without its first four characters, exactly as given.
QString PageCommandText(const QString& url);

// The command named by the text (folded first), or None.
PageCommand LookUpPageCommand(const QString& commandText);
