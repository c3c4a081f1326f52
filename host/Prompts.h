#pragma once

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Every modal question the program asks goes through here, so tests can answer it
// and read what was asked or shown.
namespace Prompts {

enum class Icon { Information, Warning, Error };

struct FileRequest {
    bool save = false;
    QString folder;        // where the dialog starts
    QString fileName;      // proposed name (save only)
    QString filter;        // Qt form: "Kestrova Record (*.kiv);;All Files (*)"
    QString defaultSuffix; // added when the user types a name without one
};

struct ShownMessage {
    Icon icon;
    QString caption;
    QString text;
};

void setOwner(QWidget* owner);
QWidget* owner();

// Returns the chosen path, or an empty string when the user cancelled.
QString askFileName(const FileRequest& request);
void showMessage(Icon icon, const QString& caption, const QString& text);
// Runs a modal dialog (print, preview); true when it was accepted.
bool execDialog(QDialog& dialog);

// Test seam. In test mode nothing modal is shown: file dialogs take the next queued
// answer (none queued means cancel), messages are recorded, dialogs go to the handler
// (none set means rejected).
void setTestMode(bool on);
bool testMode();
void setNextFileName(const QString& path);
QList<FileRequest> fileRequests();
QList<ShownMessage> shownMessages();
void setDialogHandler(std::function<bool(QDialog&)> handler);
void clearTestRecords();

} // namespace Prompts
