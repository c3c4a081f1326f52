#pragma once

#include <QMainWindow>

class CKestrovaView;
class QAction;
class QMenu;

// The main window: the menu bar with its accelerators, the icon, the title, and the
// view filling the rest.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(CKestrovaView* view);

    QAction* action(int commandId) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCreate();
    void createFileMenu();
    void createToolsMenu();
    void createHelpMenu();
    QAction* addCommand(QMenu* menu, const QString& text, int commandId, const char* name,
                        const QKeySequence& shortcut = {});

    CKestrovaView* m_view;
};
