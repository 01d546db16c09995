#include "app/textboxkeyfilter.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QValidator>
#include <algorithm>
#include <memory>

namespace {

class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(QLineEdit* edit, KeyFilter filter) : QObject(edit), m_watched(edit), m_edit(edit), m_filter(filter) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Compared as plain objects: while the box is being destroyed it is no longer a QLineEdit.
        if (watched != m_watched)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent*>(event));
        case QEvent::ContextMenu:
            contextMenu(static_cast<QContextMenuEvent*>(event));
            return true;
        case QEvent::Drop:
            return drop(static_cast<QDropEvent*>(event));
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                QApplication::clipboard()->supportsSelection()) {
                insertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool keyPress(QKeyEvent* key)
    {
        if (key == QKeySequence::Paste || (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ShiftModifier)) {
            insertFiltered(QApplication::clipboard()->text());
            return true;
        }
        // Shortcuts and navigation pass untouched.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        if (text.isEmpty() || text.at(0) == QChar(8) || text.at(0).category() == QChar::Other_Control)
            return false;
        return filterTyped(m_filter, m_edit->text(), text) != text;
    }

    void contextMenu(QContextMenuEvent* event)
    {
        std::unique_ptr<QMenu> menu(m_edit->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste")) {
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                connect(action, &QAction::triggered, this, [this] { insertFiltered(QApplication::clipboard()->text()); });
            }
        }
        menu->exec(event->globalPos());
    }

    bool drop(QDropEvent* event)
    {
        if (!event->mimeData()->hasText())
            return false;
        insertFiltered(event->mimeData()->text());
        event->acceptProposedAction();
        return true;
    }

    void insertFiltered(const QString& pasted)
    {
        if (m_edit->isReadOnly())
            return;
        // The selection is replaced, as typing would; the full-stop rule looks at the text as it stands.
        m_edit->insert(filterTyped(m_filter, m_edit->text(), pasted));
    }

    QObject* m_watched;
    QPointer<QLineEdit> m_edit;
    KeyFilter m_filter;
};

// A validator may rewrite what the box is about to hold; this one only takes the control characters
// out, keeping the cursor where it was relative to the text around it, and accepts everything else.
class ControlCharacterDropper : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override
    {
        if (std::none_of(input.cbegin(), input.cend(), isControl))
            return Acceptable;
        QString kept;
        int keptBeforeCursor = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (isControl(input[i]))
                continue;
            if (i < position)
                ++keptBeforeCursor;
            kept += input[i];
        }
        input = kept;
        position = keptBeforeCursor;
        return Acceptable;
    }
    static bool isControl(QChar c) { return c.category() == QChar::Other_Control; }
};

} // namespace

void dropControlCharacters(QLineEdit* edit)
{
    if (!dynamic_cast<const ControlCharacterDropper*>(edit->validator()))
        edit->setValidator(new ControlCharacterDropper(edit));
}

void attachKeyFilter(QLineEdit* edit, KeyFilter filter)
{
    edit->installEventFilter(new KeyFilterObject(edit, filter));
    dropControlCharacters(edit);
}
