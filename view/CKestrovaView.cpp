#include "view/CKestrovaView.h"

#include "host/Prompts.h"
#include "view/PageCommands.h"
#include "view/ViewTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

CKestrovaView::CKestrovaView(QObject* parent) : QObject(parent), m_host(new WebHost(this))
{
    m_host->beforeNavigate = [this](const QString& url, bool) {
        // Commands count only while the window shows the page the view loaded (or one of
        // its frames): a document reached by a link, or a record's text, cannot save,
        // open or exit. Such a command is cancelled and goes unheard.
        if (IsPageCommandUrl(url) && !m_host->showsNavigatedPage())
            return true;
        return OnBeforeNavigate2(url);
    };
    connect(m_host, &WebHost::documentComplete, this,
            [this](const QUrl& url) { OnDocumentComplete(url.toString()); });
    connect(m_host, &WebHost::rendererRestarted, this, &CKestrovaView::onRendererRestarted);
    connect(m_host, &WebHost::rendererGaveUp, this, [this] {
        forgetRecordFile();
        Post([] {
            Prompts::showMessage(Prompts::Icon::Error, ViewTexts::appName(), ViewTexts::formNotReloaded());
        });
    });
}

CKestrovaView::~CKestrovaView()
{
    m_host->beforeNavigate = nullptr;
}

QWidget* CKestrovaView::widget() const
{
    return m_host->widget();
}

WebHost* CKestrovaView::host() const
{
    return m_host;
}

void CKestrovaView::setFrame(QObject* frame)
{
    m_frame = frame;
}

void CKestrovaView::OnInitialUpdate()
{
    LoadHtmlInterface();
}

bool CKestrovaView::LoadHtmlInterface()
{
    return LoadHtmlInterfaceFrom(QCoreApplication::applicationDirPath());
}

bool CKestrovaView::LoadHtmlInterfaceFrom(const QString& executableFolder)
{
    if (executableFolder.isEmpty())
        return false;
    const QString path = QDir::toNativeSeparators(executableFolder + ViewTexts::interfaceLocation());
    if (!QFileInfo::exists(path)) {
        Prompts::showMessage(Prompts::Icon::Error, ViewTexts::appName(),
                             ViewTexts::missingInterface().arg(path));
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(path));
    if (!url.isValid())
        return false;
    m_host->navigate(url);
    return true;
}

void CKestrovaView::UpdateFrameTitle()
{
    QString title = ViewTexts::appName();
    if (!m_strRecordPath.isEmpty())
        title += u" - "_s + QFileInfo(m_strRecordPath).fileName();
    if (m_frame)
        m_frame->setProperty("windowTitle", ViewTexts::literalTitle(title));
}

bool CKestrovaView::ExecuteScript(const QString& script)
{
    return m_host->runScript(script);
}

WebHost::BufferState CKestrovaView::FindNativeBuffer()
{
    return m_host->bufferState();
}

bool CKestrovaView::WriteNativeBuffer(const QString& text)
{
    return m_host->writeBuffer(text);
}

bool CKestrovaView::ReadNativeBuffer(QString& text)
{
    return m_host->readBuffer(text);
}

void CKestrovaView::onRendererRestarted()
{
    forgetRecordFile();
    Post([] {
        Prompts::showMessage(Prompts::Icon::Error, ViewTexts::appName(), ViewTexts::formReloaded());
    });
}

// The form that came back holds a new record, not the file's: a plain Save must ask
// for a file rather than write that form over the patient's record.
void CKestrovaView::forgetRecordFile()
{
    m_strRecordPath.clear();
    UpdateFrameTitle();
}
