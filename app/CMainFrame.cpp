#include "app/CMainFrame.h"

#include "app/AppTexts.h"
#include "view/CKestrovaView.h"
#include "view/CommandIds.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = u":/icons/kestrova-%1.png"_s.arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

} // namespace

CMainFrame::CMainFrame(CKestrovaView* view) : m_view(view)
{
    setWindowTitle(AppTexts::windowTitle());
    createFileMenu();
    createToolsMenu();
    createHelpMenu();
    setCentralWidget(m_view->widget());
    m_view->setFrame(this);
    OnCreate();
}

void CMainFrame::OnCreate()
{
    const QIcon icon = programIcon();
    if (!icon.isNull())
        setWindowIcon(icon);
    setWindowTitle(AppTexts::appName());
}

QAction* CMainFrame::addCommand(QMenu* menu, const QString& text, int commandId, const char* name,
                                const QKeySequence& shortcut)
{
    auto* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setData(commandId);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The shortcut must act while the page has the keyboard.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (commandId == ID_APP_EXIT) {
        connect(action, &QAction::triggered, this, &QWidget::close);
    } else {
        connect(action, &QAction::triggered, this,
                [this, commandId] { m_view->Post([view = m_view, commandId] { view->OnCommand(commandId); }); });
    }
    return action;
}

void CMainFrame::createFileMenu()
{
    QMenu* menu = menuBar()->addMenu(u"&File"_s);
    addCommand(menu, u"&New Patient / Record\tCtrl+N"_s, ID_FILE_NEW, "ID_FILE_NEW", QKeySequence(u"Ctrl+N"_s));
    addCommand(menu, u"&Open Record...\tCtrl+O"_s, ID_FILE_OPEN, "ID_FILE_OPEN", QKeySequence(u"Ctrl+O"_s));
    addCommand(menu, u"&Save\tCtrl+S"_s, ID_FILE_SAVE, "ID_FILE_SAVE", QKeySequence(u"Ctrl+S"_s));
    addCommand(menu, u"Save &As..."_s, ID_FILE_SAVE_RECORD_AS, "ID_FILE_SAVE_RECORD_AS");
    menu->addSeparator();
    addCommand(menu, u"Print Pre&view Current Form"_s, ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW");
    addCommand(menu, u"&Print Current Form...\tCtrl+P"_s, ID_FILE_PRINT, "ID_FILE_PRINT", QKeySequence(u"Ctrl+P"_s));
    addCommand(menu, u"Preview Complete Packet"_s, ID_FILE_PREVIEW_PACKET, "ID_FILE_PREVIEW_PACKET");
    addCommand(menu, u"Print Complete Packet..."_s, ID_FILE_PRINT_PACKET, "ID_FILE_PRINT_PACKET");
    menu->addSeparator();
    addCommand(menu, u"E&xit"_s, ID_APP_EXIT, "ID_APP_EXIT");
}

void CMainFrame::createToolsMenu()
{
    QMenu* menu = menuBar()->addMenu(u"&Tools"_s);
    addCommand(menu, u"&Validate Record"_s, ID_TOOLS_VALIDATE, "ID_TOOLS_VALIDATE");
    addCommand(menu, u"Apply Clinic Defaults"_s, ID_TOOLS_APPLY_DEFAULTS, "ID_TOOLS_APPLY_DEFAULTS");
    addCommand(menu, u"Save Clinic Defaults"_s, ID_TOOLS_SAVE_DEFAULTS, "ID_TOOLS_SAVE_DEFAULTS");
    addCommand(menu, u"Fill Test Data"_s, ID_TOOLS_FILL_TEST_DATA, "ID_TOOLS_FILL_TEST_DATA");
}

void CMainFrame::createHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(u"&Help"_s);
    addCommand(menu, u"About Kestrova"_s, ID_HELP_ABOUT, "ID_HELP_ABOUT");
}

QAction* CMainFrame::action(int commandId) const
{
    for (QAction* candidate : findChildren<QAction*>()) {
        if (candidate->data().toInt() == commandId && !candidate->isSeparator())
            return candidate;
    }
    return nullptr;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Nothing is asked: the record lives in the page and the user saves it explicitly.
    event->accept();
}
