#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/screens.h"
#include "tender/frmReadiness.h"

#include <QWidget>

void showReadiness(QWidget* parent)
{
    frmReadiness& screen = DefaultInstance<frmReadiness>::get();
    if (parent)
        screen.setParent(parent, screen.windowFlags());
    screen.exec();
    // A double click on a quoted line asked for that item in the wizard, which opens once the screen is
    // gone and returns to the quoted-items list as an edit started there does.
    if (AppState::QuotationEditMode) {
        if (parent)
            parent->window()->hide();
        startQuotationWizard();
    }
}
