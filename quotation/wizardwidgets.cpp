#include "quotation/wizardwidgets.h"

#include "app/focushighlight.h"
#include "app/messagebox.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

namespace {

// One handler on one kind of focus change of one field; it lives as long as the field.
class FocusWatch : public QObject
{
public:
    FocusWatch(QWidget* field, QEvent::Type type, std::function<void()> handler)
        : QObject(field), m_type(type), m_handler(std::move(handler))
    {
        setObjectName(QStringLiteral("focusWatch"));
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_handler();
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

class DropDownLock : public QObject
{
public:
    explicit DropDownLock(QComboBox* box) : QObject(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            return key != Qt::Key_Tab && key != Qt::Key_Backtab;
        }
        default:
            return false;
        }
    }
};

QIcon calculatorIcon()
{
    // Body, display and a 3 x 3 keypad.
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(200, 200, 210));
    p.drawRoundedRect(3, 1, 18, 22, 2, 2);
    p.setBrush(QColor(150, 200, 150));
    p.drawRect(6, 4, 12, 5);
    p.setBrush(QColor(90, 90, 100));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(6 + c * 4, 11 + r * 4, 2, 2);
    return QIcon(pm);
}

} // namespace

void greyOut(QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    w->setPalette(p);
}

QLineEdit* namedField(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    return e;
}

ElidedCaption::ElidedCaption(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    m_hint = QLabel::sizeHint();
}

QSize ElidedCaption::sizeHint() const
{
    return m_hint;
}

QSize ElidedCaption::minimumSizeHint() const
{
    return m_hint;
}

bool ElidedCaption::elided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

int ElidedCaption::shownTextWidth() const
{
    return qMin(fontMetrics().horizontalAdvance(text()), contentsRect().width());
}

void ElidedCaption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = contentsRect();
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.setFont(font());
    painter.drawText(r, int(alignment()) | Qt::TextSingleLine, fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
}

bool ElidedCaption::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        if (elided())
            QToolTip::showText(help->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(e);
}

QLabel* captionLabel(QWidget* parent, const QString& caption, const QString& name)
{
    auto* l = new ElidedCaption(caption, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QPushButton* calculatorButton(QWidget* parent, const char* name, const char* tooltip)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QLatin1String(tooltip));
    b->setIcon(calculatorIcon());
    b->setIconSize(QSize(24, 24));
    b->setAutoDefault(false);
    return b;
}

void whenLeft(QWidget* field, std::function<void()> handler)
{
    new FocusWatch(field, QEvent::FocusOut, std::move(handler));
}

void whenEntered(QWidget* field, std::function<void()> handler)
{
    new FocusWatch(field, QEvent::FocusIn, std::move(handler));
}

void stopWatching(QWidget* screen)
{
    qDeleteAll(screen->findChildren<QObject*>(QStringLiteral("focusWatch")));
}

void lockDropDown(QComboBox* box)
{
    new DropDownLock(box);
}

QString partnerEntry(const QComboBox* list, const QComboBox* partner)
{
    const int index = list->currentIndex();
    return index >= 0 && index < partner->count() ? partner->itemText(index) : QString();
}

bool selectByText(QComboBox* list, const QString& value, QComboBox* partner)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == value) {
            list->setCurrentIndex(i);
            if (partner)
                partner->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void setWhole(QLineEdit* edit, const QString& text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
}

void showFailure(QWidget* screen, const QuotationChecks::Failure& failure, QWidget* focus)
{
    using QuotationChecks::Failure;
    if (focus && failure.focusFirst)
        focus->setFocus();
    if (failure.box == Failure::Box::Warning)
        showMessage(screen, QStringLiteral("Confirm"), failure.message, QMessageBox::Warning, QMessageBox::Ok);
    else if (!failure.message.isEmpty())
        showInfo(screen, failure.message);
    if (focus && !failure.focusFirst)
        focus->setFocus();
}

TagLabel::TagLabel(QLabel* owner, const QString& name, const QString& text) : QLabel(text, owner->parentWidget()), m_owner(owner)
{
    setObjectName(name);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(192, 0, 0));
    setPalette(p);
    setAutoFillBackground(true);
    adjustSize();
    owner->installEventFilter(this);
}

void TagLabel::place()
{
    auto* caption = dynamic_cast<ElidedCaption*>(m_owner);
    const int captionWidth = caption ? caption->shownTextWidth() : m_owner->fontMetrics().horizontalAdvance(m_owner->text());
    const int left = m_owner->x() + m_owner->contentsRect().left() + captionWidth - width();
    move(left, m_owner->y() + (m_owner->height() - height()) / 2);
    raise();
}

bool TagLabel::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        place();
    return false;
}
