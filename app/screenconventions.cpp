#include "app/screenconventions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QToolTip>

namespace {

// The Filter button a filter box presses on Return; a child of the box, so it goes with it.
class ReturnBinding : public QObject
{
public:
    ReturnBinding(QWidget* box, QAbstractButton* button) : QObject(box), m_button(button)
    {
        setObjectName(QLatin1String(Name));
        box->installEventFilter(this);
    }
    // Without a meta-object of its own it is found by name: findChild<ReturnBinding*> would match any child.
    static ReturnBinding* of(const QWidget* box)
    {
        return static_cast<ReturnBinding*>(box->findChild<QObject*>(QLatin1String(Name), Qt::FindDirectChildrenOnly));
    }
    QAbstractButton* button() const { return m_button; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !m_button || !m_button->isEnabled())
            return false;
        m_button->click();
        return true;
    }

private:
    static constexpr const char* Name = "quillbidReturnBinding";
    QPointer<QAbstractButton> m_button;
};

QAbstractButton* boundButton(const QWidget* box)
{
    for (; box; box = box->parentWidget())  // an editable drop-down's own line edit has the focus
        if (ReturnBinding* binding = ReturnBinding::of(box))
            return binding->button();
    return nullptr;
}

// Presses the button of those sharing `key` whose group holds the focus: the button itself, the box
// bound to it, or the group box (any parent short of the window) it sits in; else the first of them.
bool pressSharedAccessKey(QWidget* receiver, const QKeySequence& key)
{
    QWidget* window = receiver->window();
    QList<QAbstractButton*> sharing;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && b->window() == window && QKeySequence::mnemonic(b->text()) == key)
            sharing << b;
    if (sharing.isEmpty())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    QAbstractButton* chosen = sharing.first();
    const QAbstractButton* bound = boundButton(focus);
    for (QAbstractButton* b : sharing) {
        const QWidget* group = b->parentWidget();
        if (b == focus || b == bound || (group != window && group->isAncestorOf(focus))) {
            chosen = b;
            break;
        }
    }
    chosen->setFocus(Qt::ShortcutFocusReason);
    chosen->click();
    return true;
}

// Room the window manager takes for the title bar and borders, which Qt learns only once the window
// is mapped.
constexpr int FrameAllowance = 32;

bool isApplicationWindow(const QWidget* w)
{
    if (!w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

bool pressFocusedButton(QPushButton* button)
{
    // A dialog already presses its focused auto-default button on Return.
    if (button->autoDefault() && qobject_cast<QDialog*>(button->window()))
        return false;
    if (!button->isEnabled() || !button->isVisible())
        return false;
    button->animateClick();
    return true;
}

bool openCurrentRow(QAbstractItemView* view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || (view->window()->windowFlags() & Qt::Popup) == Qt::Popup)
        return false;
    emit view->doubleClicked(current);
    return true;
}

// A list cell too narrow for its text shows the whole text as its tooltip.
bool showCutOffCell(QWidget* viewport, QHelpEvent* help)
{
    auto* view = qobject_cast<QAbstractItemView*>(viewport->parentWidget());
    if (!view || view->viewport() != viewport)
        return false;
    const QModelIndex index = view->indexAt(help->pos());
    if (!index.isValid() || index.data(Qt::ToolTipRole).isValid())
        return false;
    const QRect cell = view->visualRect(index);
    if (view->sizeHintForIndex(index).width() > cell.width())
        QToolTip::showText(help->globalPos(), index.data().toString(), viewport, cell);
    else
        QToolTip::hideText();
    return true;
}

class ScreenConventions : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && isApplicationWindow(widget) && !widget->property(FittedProperty).toBool()) {
            widget->setProperty(FittedProperty, true);
            fitWindowOnScreen(widget);
            return false;
        }
        if (event->type() == QEvent::ToolTip)
            return showCutOffCell(widget, static_cast<QHelpEvent*>(event));
        if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->isAmbiguous())
            return pressSharedAccessKey(widget, static_cast<QShortcutEvent*>(event)->key());
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || widget != QApplication::focusWidget())
            return false;
        if (auto* button = qobject_cast<QPushButton*>(widget))
            return pressFocusedButton(button);
        if (auto* view = qobject_cast<QAbstractItemView*>(widget))
            return openCurrentRow(view);
        return false;
    }

    static constexpr const char* FittedProperty = "quillbidFitted";
};

// Scrolls up and down only; it asks for the body's whole size, and for its whole width at the least.
class ScrollingBody : public QScrollArea
{
public:
    explicit ScrollingBody(QWidget* parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("scrollBody"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QSize sizeHint() const override { return widget() ? widget()->sizeHint() + QSize(scrollBarRoom(), 0) : QScrollArea::sizeHint(); }
    QSize minimumSizeHint() const override
    {
        const QSize least = QScrollArea::minimumSizeHint();
        return widget() ? QSize(widget()->minimumSizeHint().width() + scrollBarRoom(), least.height()) : least;
    }

private:
    int scrollBarRoom() const { return verticalScrollBar()->sizeHint().width(); }
};

} // namespace

void pressOnReturn(QWidget* box, QAbstractButton* button)
{
    delete ReturnBinding::of(box);
    new ReturnBinding(box, button);
}

QVBoxLayout* addScrollingBody(QWidget* window, QBoxLayout* root)
{
    auto* area = new ScrollingBody(window);
    auto* body = new QWidget(area);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    area->setWidget(body);
    root->addWidget(area, 1);
    return layout;
}

void fitWindowOnScreen(QWidget* window)
{
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen* screen = parent ? parent->screen() : window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize room(available.width(), available.height() - FrameAllowance);
    QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    window->resize(size);
    size = window->size();
    const QPoint centre = parent && parent->isVisible() ? parent->geometry().center() : available.center();
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(centre);
    // Kept inside the available area, the title bar included.
    placed.moveLeft(qBound(available.left(), placed.left(), qMax(available.left(), available.right() - size.width() + 1)));
    placed.moveTop(qBound(available.top() + FrameAllowance, placed.top(),
                          qMax(available.top() + FrameAllowance, available.bottom() - size.height() + 1)));
    window->move(placed.topLeft() - QPoint(0, FrameAllowance));
}

void installScreenConventions()
{
    static QPointer<ScreenConventions> conventions;
    if (conventions)
        return;
    conventions = new ScreenConventions(qApp);
    qApp->installEventFilter(conventions);
}
