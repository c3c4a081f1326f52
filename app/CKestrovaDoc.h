#pragma once

#include <QString>

// The document holds no data: records pass through the view's own commands. It only
// gives the title the window shows until the first New, Open or Save.
class CKestrovaDoc
{
public:
    bool OnNewDocument();
    // A file named on the command line: checked that it can be read, never loaded.
    bool OnOpenDocument(const QString& path);
    QString GetTitle() const;

private:
    QString m_strTitle;
};
