#include "app/editmodeblink.h"

#include <QTimer>
#include <QWidget>

EditModeBlink::EditModeBlink(QWidget* window, QString plainTitle)
    : QObject(window), m_window(window), m_plainTitle(std::move(plainTitle)), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("tmrEditMode"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &EditModeBlink::tick);
}

QString EditModeBlink::editModeTitle(const QString& plainTitle)
{
    return plainTitle + QStringLiteral(" ---| EDIT MODE ON |---");
}

void EditModeBlink::start()
{
    m_window->setWindowTitle(editModeTitle(m_plainTitle));
    m_timer->start();
}

void EditModeBlink::stop()
{
    m_timer->stop();
    m_window->setWindowTitle(m_plainTitle);
}

bool EditModeBlink::running() const
{
    return m_timer->isActive();
}

void EditModeBlink::tick()
{
    m_window->setWindowTitle(m_window->windowTitle() != m_plainTitle ? m_plainTitle : editModeTitle(m_plainTitle));
}
