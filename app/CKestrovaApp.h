#pragma once

#include <QStringList>

#include <memory>

class CKestrovaDoc;
class CKestrovaView;
class CMainFrame;
class ShortcutKeyFilter;

// Start-up and shutdown of the program, on top of the QApplication that main() made.
class CKestrovaApp
{
public:
    CKestrovaApp();
    ~CKestrovaApp();

    // True when the main window is up and the event loop should run. When false,
    // StartExitCode() is the process's exit code (0 after --help or --version).
    bool InitInstance(const QStringList& arguments);
    int ExitInstance(int exitCode);
    int StartExitCode() const;

    CMainFrame* MainFrame() const;
    CKestrovaView* View() const;

private:
    std::unique_ptr<CKestrovaDoc> m_doc;
    std::unique_ptr<CKestrovaView> m_view;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<ShortcutKeyFilter> m_keyFilter;
    int m_startExitCode = 1;
};
