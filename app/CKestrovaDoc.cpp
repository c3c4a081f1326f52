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
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return false;
    m_strTitle = QFileInfo(path).fileName();
    return true;
}

QString CKestrovaDoc::GetTitle() const
{
    return m_strTitle;
}
