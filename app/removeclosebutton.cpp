#include "app/removeclosebutton.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class CloseRefuser : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        // A close the screen asks for itself is not spontaneous; one from the window system is.
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
                return true;
        }
        return false;
    }
};

} // namespace

bool RemoveCloseButton(QWidget* window)
{
    const bool visible = window->isVisible();
    Qt::WindowFlags flags = window->windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags &= ~Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    if (visible)
        window->show();
    window->installEventFilter(new CloseRefuser(window));
    return true;
}
