#include "host/ShortcutKeyFilter.h"

#include <QKeyEvent>
#include <QShortcutEvent>

bool ShortcutKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut: {
        const QKeySequence keys = static_cast<QShortcutEvent*>(event)->key();
        if (keys.count() == 1)
            m_pendingKey = keys[0].key();
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_pendingKey != 0 && key->key() == m_pendingKey) {
            if (!key->isAutoRepeat())
                m_pendingKey = 0;
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        m_pendingKey = 0;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
