#include "app/screenheading.h"

#include <QLabel>

QLabel* createScreenHeading(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* heading = new QLabel(text, parent);
    heading->setObjectName(objectName);
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    heading->setFont(f);
    return heading;
}
