#include "view/CKestrovaView.h"

#include "host/Prompts.h"
#include "storage/StorageTexts.h"
#include "storage/TextFiles.h"

#include <QFileInfo>

void CKestrovaView::SaveClinicDefaults()
{
    QString text;
    const bool collected = ExecuteScript(StorageTexts::collectDefaultsScript()) && ReadNativeBuffer(text);
    if (!collected || !WriteUtf8File(GetDefaultsFilePath(), text)) {
        Prompts::showMessage(Prompts::Icon::Error, StorageTexts::appName(), StorageTexts::defaultsSaveFailed());
        return;
    }
    ExecuteScript(StorageTexts::defaultsSavedToast());
}

void CKestrovaView::ApplyClinicDefaults(bool showConfirmation)
{
    const QString path = GetDefaultsFilePath();
    if (!QFileInfo::exists(path))
        return;
    QString text;
    if (!ReadUtf8File(path, text))
        return;
    // A failed write would leave older text in the buffer (a record, say), and
    // applying that is not applying the defaults.
    if (!WriteNativeBuffer(text) || !ExecuteScript(StorageTexts::applyDefaultsScript()))
        return;
    if (showConfirmation)
        ExecuteScript(StorageTexts::defaultsAppliedToast());
}
