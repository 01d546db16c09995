#include "app/focushighlight.h"

#include "app/textboxkeyfilter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

// Calls `onFocus(widget, true/false)` as the watched widget gains and loses the keyboard focus.
// A widget that is being destroyed still loses its focus, when it is no longer of its own class:
// the callbacks therefore get the plain widget and cast it, and the cast fails at that point.
class FocusWatcher : public QObject
{
public:
    FocusWatcher(QWidget* widget, std::function<void(QWidget*, bool)> onFocus)
        : QObject(widget), m_widget(widget), m_onFocus(std::move(onFocus))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_widget)
            return false;
        if (event->type() == QEvent::FocusIn)
            m_onFocus(m_widget, true);
        else if (event->type() == QEvent::FocusOut)
            m_onFocus(m_widget, false);
        return false;
    }

private:
    QWidget* m_widget;
    std::function<void(QWidget*, bool)> m_onFocus;
};

void setColours(QWidget* w, bool focused, bool backgroundOnly)
{
    QPalette p = w->palette();
    const QPalette system = QApplication::palette(w);
    p.setColor(QPalette::Base, focused ? system.color(QPalette::ToolTipBase) : system.color(QPalette::Base));
    if (!backgroundOnly)
        p.setColor(QPalette::Text, focused ? system.color(QPalette::ToolTipText) : system.color(QPalette::Text));
    w->setPalette(p);
}

void setBold(QWidget* w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

void attachTextHighlight(QLineEdit* edit, QLabel* captionLabel)
{
    dropControlCharacters(edit);
    QPointer<QLabel> label(captionLabel);
    new FocusWatcher(edit, [label](QWidget* widget, bool focused) {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit)
            return;
        setColours(edit, focused, false);
        if (focused)
            // After the click that gave the focus has placed the cursor, select everything.
            QTimer::singleShot(0, edit, [edit] {
                if (edit->hasFocus())
                    edit->selectAll();
            });
        if (label)
            setBold(label, focused);
    });
}

void attachComboHighlight(QComboBox* combo)
{
    new FocusWatcher(combo, [](QWidget* widget, bool focused) {
        auto* combo = qobject_cast<QComboBox*>(widget);
        if (!combo)
            return;
        setColours(combo, focused, true);
        if (combo->lineEdit()) {
            setColours(combo->lineEdit(), focused, true);
        } else {
            // A drop-down that cannot be typed in is drawn as a button: its face takes the highlight.
            QPalette p = combo->palette();
            const QPalette system = QApplication::palette(combo);
            p.setColor(QPalette::Button, system.color(focused ? QPalette::ToolTipBase : QPalette::Button));
            combo->setPalette(p);
        }
    });
}

void attachListHighlight(QAbstractItemView* list, bool backgroundOnly)
{
    new FocusWatcher(list, [backgroundOnly](QWidget* widget, bool focused) {
        if (qobject_cast<QAbstractItemView*>(widget))
            setColours(widget, focused, backgroundOnly);
    });
}

void attachButtonHighlight(QAbstractButton* button)
{
    new FocusWatcher(button, [](QWidget* widget, bool focused) {
        if (qobject_cast<QAbstractButton*>(widget))
            setBold(widget, focused);
    });
}

void attachButtonWithInfoLabel(QAbstractButton* button, QLabel* infoLabel)
{
    QPointer<QLabel> label(infoLabel);
    new FocusWatcher(button, [label](QWidget* widget, bool focused) {
        if (!qobject_cast<QAbstractButton*>(widget))
            return;
        setBold(widget, focused);
        if (!label)
            return;
        QFont f = label->font();
        f.setBold(focused);
        // Relative, like the gain and loss of focus themselves: one point up, then one point down.
        f.setPointSizeF(f.pointSizeF() + (focused ? 1.0 : -1.0));
        label->setFont(f);
        label->setFrameStyle(focused ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, focused ? QColor(255, 0, 0) : QApplication::palette(label).color(QPalette::ButtonText));
        label->setPalette(p);
    });
}
