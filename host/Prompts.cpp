#include "host/Prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QQueue>

namespace Prompts {
namespace {

struct State {
    QPointer<QWidget> owner;
    bool testMode = false;
    QQueue<QString> nextFileNames;
    QList<FileRequest> fileRequests;
    QList<ShownMessage> messages;
    std::function<bool(QDialog&)> dialogHandler;
};

State& state()
{
    static State s;
    return s;
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        break;
    }
    return QMessageBox::Critical;
}

} // namespace

void setOwner(QWidget* owner)
{
    state().owner = owner;
}

QWidget* owner()
{
    return state().owner;
}

QString askFileName(const FileRequest& request)
{
    State& s = state();
    if (s.testMode) {
        s.fileRequests.append(request);
        return s.nextFileNames.isEmpty() ? QString() : s.nextFileNames.dequeue();
    }
    QFileDialog dialog(s.owner, QString(), request.folder, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.save)
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void showMessage(Icon icon, const QString& caption, const QString& text)
{
    State& s = state();
    if (s.testMode) {
        s.messages.append({icon, caption, text});
        return;
    }
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, s.owner);
    box.exec();
}

bool execDialog(QDialog& dialog)
{
    State& s = state();
    if (s.testMode)
        return s.dialogHandler ? s.dialogHandler(dialog) : false;
    return dialog.exec() == QDialog::Accepted;
}

void setTestMode(bool on)
{
    state().testMode = on;
}

bool testMode()
{
    return state().testMode;
}

void setNextFileName(const QString& path)
{
    state().nextFileNames.enqueue(path);
}

QList<FileRequest> fileRequests()
{
    return state().fileRequests;
}

QList<ShownMessage> shownMessages()
{
    return state().messages;
}

void setDialogHandler(std::function<bool(QDialog&)> handler)
{
    state().dialogHandler = std::move(handler);
}

void clearTestRecords()
{
    State& s = state();
    s.nextFileNames.clear();
    s.fileRequests.clear();
    s.messages.clear();
    s.dialogHandler = nullptr;
}

} // namespace Prompts
