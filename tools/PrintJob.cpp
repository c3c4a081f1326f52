#include "view/CKestrovaView.h"

using namespace Qt::StringLiterals;

void CKestrovaView::PreparePrintJob(bool packet)
{
    ExecuteScript(packet ? u"preparePrintPacket();"_s : u"preparePrintCurrent();"_s);
}

void CKestrovaView::PrintJob(bool packet, bool preview)
{
    // A second print command while a dialog is open would re-lay the page under it.
    if (host()->isPrinting())
        return;
    PreparePrintJob(packet);
    if (preview)
        host()->preview();
    else
        host()->print();
}
