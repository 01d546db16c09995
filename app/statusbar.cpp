#include "app/statusbar.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

namespace {

// Lock states toggled by the lock keys, watched once for the whole application.
struct LockKeys : QObject {
    bool caps = false, num = false, insert = true, scroll = false;

    static LockKeys& instance()
    {
        static LockKeys* keys = [] {
            auto* k = new LockKeys;
            qApp->installEventFilter(k);
            return k;
        }();
        return *keys;
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) {
                switch (key->key()) {
                case Qt::Key_CapsLock: caps = !caps; break;
                case Qt::Key_NumLock: num = !num; break;
                case Qt::Key_Insert: if (key->modifiers() == Qt::NoModifier) insert = !insert; break;
                case Qt::Key_ScrollLock: scroll = !scroll; break;
                default: break;
                }
            }
        }
        return false;
    }
};

QLabel* panel(QStatusBar* bar, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, bar);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 16);
    bar->addPermanentWidget(label);
    return label;
}

} // namespace

QStatusBar* createStatusBar(QWidget* parent, bool withScrollLock)
{
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(QStringLiteral("sBar"));
    bar->setSizeGripEnabled(false);
    LockKeys& keys = LockKeys::instance();
    QLabel* caps = panel(bar, QStringLiteral("sBarCaps"), QStringLiteral("CAPS"));
    QLabel* num = panel(bar, QStringLiteral("sBarNum"), QStringLiteral("NUM"));
    QLabel* ins = panel(bar, QStringLiteral("sBarIns"), QStringLiteral("INS"));
    QLabel* scrl = withScrollLock ? panel(bar, QStringLiteral("sBarScrl"), QStringLiteral("SCRL")) : nullptr;
    QLabel* time = panel(bar, QStringLiteral("sBarTime"), QStringLiteral("00:00 AM"));
    QLabel* date = panel(bar, QStringLiteral("sBarDate"), QStringLiteral("00/00/0000"));

    auto refresh = [=, &keys] {
        caps->setEnabled(keys.caps);
        num->setEnabled(keys.num);
        ins->setEnabled(keys.insert);
        if (scrl)
            scrl->setEnabled(keys.scroll);
        const QDateTime now = QDateTime::currentDateTime();
        time->setText(QLocale::system().toString(now.time(), QLocale::ShortFormat));
        date->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
    };
    refresh();
    auto* timer = new QTimer(bar);
    QObject::connect(timer, &QTimer::timeout, bar, refresh);
    timer->start(1000);
    return bar;
}
