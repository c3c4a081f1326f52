#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;
class QPrinter;
class QPageLayout;

// The one place that knows the browser engine. It shows the page, reports each
// navigation before it happens and each finished document, runs script to its end,
// moves text through the page's nativeBuffer element, and prints.
class WebHost : public QObject
{
    Q_OBJECT

public:
    enum class BufferState { Ready, NoDocument, NoElement, NotTextArea };

    explicit WebHost(QObject* parent = nullptr);
    ~WebHost() override;

    QWidget* widget() const;

    void navigate(const QUrl& url);
    bool hasDocument() const;
    // True while the main frame shows the page last given to navigate().
    bool showsNavigatedPage() const;

    // Runs the text in the page's global scope; true when it ran without throwing.
    bool runScript(const QString& text);
    BufferState bufferState();
    bool writeBuffer(const QString& text);
    bool readBuffer(QString& text);

    // True while a synchronous wait is on the stack.
    bool isWaiting() const;
    void setScriptTimeout(int milliseconds);

    // Print and preview with the toolkit's dialogs; both refuse to start while one is open.
    void print();
    void preview();
    bool isPrinting() const;
    // Writes a vector PDF of the page as the engine lays it out for print; Letter
    // paper unless a layout is given.
    bool printToPdf(const QString& filePath);
    bool printToPdf(const QString& filePath, const QPageLayout& layout);

    // Called for each navigation of the page or its frames, and for the first
    // navigation of a window the page tries to open; returns true to cancel it.
    std::function<bool(const QString& urlText, bool isMainFrame)> beforeNavigate;

    // For tests: stop the renderer as a crash would.
    void killRenderer();

signals:
    // One per document, frames included; never for a cancelled navigation.
    void documentComplete(const QUrl& url);
    // The renderer crashed, was killed or hung; the page has been reloaded.
    void rendererRestarted();
    // The renderer stopped too often in a short time; the page was left blank.
    void rendererGaveUp();
    // The last synchronous wait on the stack has ended.
    void waitsEnded();

private:
    class Page;
    struct Private;
    std::unique_ptr<Private> d;

    QVariant runAndWait(const QString& script, bool mainWorld);
    bool printWithEngine(QPrinter& printer);
    bool waitForPrint(const std::function<void()>& start, bool& finished);
    void reloadAfterCrash();
    void reportDocument(const QUrl& url);
    void onRendererTerminated();
    void installDocumentReporter();
};
