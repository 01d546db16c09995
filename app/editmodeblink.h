#pragma once

#include <QObject>
#include <QString>

class QTimer;
class QWidget;

// While a reference-list row is being edited, the window caption alternates once a second between the
// screen's plain title and the plain title + " ---| EDIT MODE ON |---". The timer is `tmrEditMode`.
class EditModeBlink : public QObject
{
    Q_OBJECT
public:
    EditModeBlink(QWidget* window, QString plainTitle);

    void start();  // caption with the marker, timer on
    void stop();   // plain caption, timer off
    bool running() const;
    void tick();   // one toggle, as the timer does
    QString plainTitle() const { return m_plainTitle; }

    static QString editModeTitle(const QString& plainTitle);

private:
    QWidget* m_window;
    QString m_plainTitle;
    QTimer* m_timer;
};
