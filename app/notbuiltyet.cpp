#include "app/notbuiltyet.h"

#include "app/messagebox.h"

void showNotBuiltYet(QWidget* parent)
{
    showInfo(parent, QStringLiteral("This screen is not available in this version yet."));
}
