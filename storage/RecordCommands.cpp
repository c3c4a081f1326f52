#include "view/CKestrovaView.h"

#include "host/Prompts.h"
#include "storage/StorageTexts.h"
#include "storage/TextFiles.h"

void CKestrovaView::NewRecord()
{
    ExecuteScript(StorageTexts::newRecordScript());
    m_strRecordPath.clear();
    ApplyClinicDefaults(false);
    UpdateFrameTitle();
}

void CKestrovaView::OpenRecord()
{
    Prompts::FileRequest request;
    request.folder = GetRecordsFolder();
    request.filter = StorageTexts::openFilter();
    request.defaultSuffix = StorageTexts::recordExtension();
    const QString path = Prompts::askFileName(request);
    if (path.isEmpty())
        return;

    QString text;
    // The record reaches the page only through the buffer; if the buffer could not be
    // filled, or the page refused the text, the form does not show this file, and
    // naming the file in the title would make the next Save overwrite it with
    // whatever the form holds.
    if (!ReadUtf8File(path, text) || !WriteNativeBuffer(text)
        || !ExecuteScript(StorageTexts::loadRecordScript())) {
        Prompts::showMessage(Prompts::Icon::Error, StorageTexts::appName(), StorageTexts::openFailed());
        return;
    }
    m_strRecordPath = path;
    UpdateFrameTitle();
}

void CKestrovaView::SaveRecord(bool saveAs)
{
    QString text;
    // When the collect script fails, the buffer still holds older text (the defaults,
    // or another record): never write that into the patient's file.
    if (!ExecuteScript(StorageTexts::collectRecordScript()) || !ReadNativeBuffer(text)) {
        Prompts::showMessage(Prompts::Icon::Error, StorageTexts::appName(), StorageTexts::collectFailed());
        return;
    }

    QString target = m_strRecordPath;
    if (saveAs || target.isEmpty()) {
        Prompts::FileRequest request;
        request.save = true;
        request.folder = GetRecordsFolder();
        request.fileName = StorageTexts::initialFileName();
        request.filter = StorageTexts::saveFilter();
        request.defaultSuffix = StorageTexts::recordExtension();
        target = Prompts::askFileName(request);
        if (target.isEmpty())
            return;
    }

    if (!WriteUtf8File(target, text)) {
        Prompts::showMessage(Prompts::Icon::Error, StorageTexts::appName(), StorageTexts::saveFailed());
        return;
    }
    m_strRecordPath = target;
    UpdateFrameTitle();
    ExecuteScript(StorageTexts::recordSavedToast());
}
