#include "vendor/multilinetextbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void MultiLineTextBox::setText(const QString& text)
{
    setPlainText(text.left(m_maxLength));
}

int MultiLineTextBox::room() const
{
    return m_maxLength - static_cast<int>(toPlainText().size()) + static_cast<int>(textCursor().selectedText().size());
}

void MultiLineTextBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (printable && !shortcut && room() < static_cast<int>(typed.size()))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    const QString fitting = source->text().left(qMax(0, room()));
    if (!fitting.isEmpty())
        insertPlainText(fitting);
}

void MultiLineTextBox::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    highlight(true);
    // After the click that gave the focus has placed the cursor, select everything.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll();
    });
}

void MultiLineTextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    highlight(false);
}

void MultiLineTextBox::highlight(bool focused)
{
    QPalette p = palette();
    const QPalette system = QApplication::palette(this);
    p.setColor(QPalette::Base, system.color(focused ? QPalette::ToolTipBase : QPalette::Base));
    p.setColor(QPalette::Text, system.color(focused ? QPalette::ToolTipText : QPalette::Text));
    setPalette(p);
    if (m_captionLabel) {
        QFont f = m_captionLabel->font();
        f.setBold(focused);
        m_captionLabel->setFont(f);
    }
}
