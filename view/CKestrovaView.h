#pragma once

#include "host/WebHost.h"

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>

#include <functional>

class QWidget;

// The program's only view: it shows the forms page, keeps the path of the open record,
// and carries every operation that the menu and the page's commands reach.
class CKestrovaView : public QObject
{
    Q_OBJECT

public:
    explicit CKestrovaView(QObject* parent = nullptr);
    ~CKestrovaView() override;

    QWidget* widget() const;
    WebHost* host() const;
    // The main window: its title follows the record, and "exit" closes it.
    void setFrame(QObject* frame);

    // Page loading and title
    void OnInitialUpdate();
    bool LoadHtmlInterface();
    bool LoadHtmlInterfaceFrom(const QString& executableFolder);
    void UpdateFrameTitle();

    // Script bridge
    bool ExecuteScript(const QString& script);
    WebHost::BufferState FindNativeBuffer();
    bool WriteNativeBuffer(const QString& text);
    bool ReadNativeBuffer(QString& text);

    // Command routing. Page commands and menu commands run one at a time, in the
    // order they arrived, never inside an engine notification.
    bool OnBeforeNavigate2(const QString& url);
    void HandlePageCommand(const QString& command);
    void OnCommand(int commandId);
    void OnDocumentComplete(const QString& url);
    void Post(std::function<void()> operation);
    bool IsIdle() const;

    // Records
    void NewRecord();
    void OpenRecord();
    void SaveRecord(bool saveAs);

    // Clinic defaults
    void SaveClinicDefaults();
    void ApplyClinicDefaults(bool showConfirmation);

    // Print, preview, validation, test data
    void PreparePrintJob(bool packet);
    void PrintJob(bool packet, bool preview);
    void ValidateRecord();
    void FillTestData();

    // Full path of the record file last opened or saved; empty for a new record.
    QString m_strRecordPath;

private:
    void schedulePump();
    void pump();
    void onRendererRestarted();
    void forgetRecordFile();

    WebHost* m_host;
    QPointer<QObject> m_frame;
    QQueue<std::function<void()>> m_queue;
    bool m_running = false;
    bool m_pumpScheduled = false;
};
