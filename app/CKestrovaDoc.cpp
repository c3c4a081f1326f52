#include "app/CKestrovaDoc.h"

#include "app/AppTexts.h"

#include <QFile>
#include <QFileInfo>

bool CKestrovaDoc::OnNewDocument()
{
    m_strTitle = AppTexts::docName();
    return true;
}

bool CKestrovaDoc::OnOpenDocument(const QString& path)
{
    // Only a regular file can be a record; opening a pipe would wait for a writer for ever.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    m_strTitle = QFileInfo(path).fileName();
    return true;
}

QString CKestrovaDoc::GetTitle() const
{
    return m_strTitle;
}
