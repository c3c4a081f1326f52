#include "view/CKestrovaView.h"

#include "tools/About.h"
#include "view/CommandIds.h"
#include "view/PageCommands.h"

#include <QMetaObject>

bool CKestrovaView::OnBeforeNavigate2(const QString& url)
{
    if (!IsPageCommandUrl(url))
        return false;
    const QString command = PageCommandText(url);
    Post([this, command] { HandlePageCommand(command); });
    return true;
}

void CKestrovaView::HandlePageCommand(const QString& command)
{
    switch (LookUpPageCommand(command)) {
    case PageCommand::New: NewRecord(); break;
    case PageCommand::Open: OpenRecord(); break;
    case PageCommand::Save: SaveRecord(false); break;
    case PageCommand::SaveAs: SaveRecord(true); break;
    case PageCommand::PreviewCurrent: PrintJob(false, true); break;
    case PageCommand::PrintCurrent: PrintJob(false, false); break;
    case PageCommand::PreviewPacket: PrintJob(true, true); break;
    case PageCommand::PrintPacket: PrintJob(true, false); break;
    case PageCommand::DefaultsSave: SaveClinicDefaults(); break;
    case PageCommand::DefaultsApply: ApplyClinicDefaults(true); break;
    case PageCommand::Fake: FillTestData(); break;
    case PageCommand::Validate: ValidateRecord(); break;
    case PageCommand::About: ShowAbout(); break;
    case PageCommand::Exit:
        // Closed through the window's ordinary close path, after this command.
        if (m_frame)
            QMetaObject::invokeMethod(m_frame, "close", Qt::QueuedConnection);
        break;
    case PageCommand::None: break;
    }
}

void CKestrovaView::OnCommand(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW: NewRecord(); break;
    case ID_FILE_OPEN: OpenRecord(); break;
    case ID_FILE_SAVE: SaveRecord(false); break;
    case ID_FILE_SAVE_RECORD_AS: SaveRecord(true); break;
    case ID_FILE_PRINT_PREVIEW: PrintJob(false, true); break;
    case ID_FILE_PRINT: PrintJob(false, false); break;
    case ID_FILE_PREVIEW_PACKET: PrintJob(true, true); break;
    case ID_FILE_PRINT_PACKET: PrintJob(true, false); break;
    case ID_TOOLS_VALIDATE: ValidateRecord(); break;
    case ID_TOOLS_APPLY_DEFAULTS: ApplyClinicDefaults(true); break;
    case ID_TOOLS_SAVE_DEFAULTS: SaveClinicDefaults(); break;
    case ID_TOOLS_FILL_TEST_DATA: FillTestData(); break;
    case ID_HELP_ABOUT: ShowAbout(); break;
    default: break;
    }
}

void CKestrovaView::OnDocumentComplete(const QString&)
{
    Post([this] { ApplyClinicDefaults(false); });
}

void CKestrovaView::Post(std::function<void()> operation)
{
    m_queue.enqueue(std::move(operation));
    schedulePump();
}

bool CKestrovaView::IsIdle() const
{
    return m_queue.isEmpty() && !m_running && !m_pumpScheduled;
}

void CKestrovaView::schedulePump()
{
    if (m_pumpScheduled)
        return;
    m_pumpScheduled = true;
    // A posted call, not a timer (see pump()).
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pumpScheduled = false;
            pump();
        },
        Qt::QueuedConnection);
}

void CKestrovaView::pump()
{
    // A command that is running (inside a dialog of its own, say) finishes first.
    if (m_running || m_queue.isEmpty())
        return;
    // A command started inside another wait could stall it; start when the waits end.
    // Never retry from a timer: under the GLib dispatcher, a wait begun inside a timer's
    // dispatch never receives the engine's answer.
    if (m_host->isWaiting()) {
        connect(m_host, &WebHost::waitsEnded, this, &CKestrovaView::pump,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection | Qt::SingleShotConnection));
        return;
    }
    auto operation = m_queue.dequeue();
    m_running = true;
    operation();
    m_running = false;
    if (!m_queue.isEmpty())
        schedulePump();
}
