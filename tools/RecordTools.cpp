#include "view/CKestrovaView.h"

using namespace Qt::StringLiterals;

void CKestrovaView::ValidateRecord()
{
    ExecuteScript(u"validateRecord(true);"_s);
}

void CKestrovaView::FillTestData()
{
    ExecuteScript(u"fillTestData();"_s);
}
