#include "app/removeclosebutton.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

class CloseRefuser : public QObject
{
public:
    CloseRefuser(QWidget* window, QAbstractButton* escapeButton) : QObject(window), m_escapeButton(escapeButton) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        // A close the screen asks for itself is not spontaneous; one from the window system is.
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                if (m_escapeButton && m_escapeButton->isEnabled())
                    m_escapeButton->click();
                return true;
            }
        }
        return false;
    }

private:
    QPointer<QAbstractButton> m_escapeButton;
};

} // namespace

bool RemoveCloseButton(QWidget* window, QAbstractButton* escapeButton)
{
    const bool visible = window->isVisible();
    Qt::WindowFlags flags = window->windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags &= ~Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    if (visible)
        window->show();
    window->installEventFilter(new CloseRefuser(window, escapeButton));
    return true;
}
