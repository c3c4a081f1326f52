#pragma once

#include <QObject>

// The engine's view still delivers the key release of a letter whose press fired one
// of our shortcuts. This filter, installed on the application, eats that release so
// the page sees nothing of Ctrl+N, Ctrl+O, Ctrl+S or Ctrl+P.
class ShortcutKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_pendingKey = 0;
};
