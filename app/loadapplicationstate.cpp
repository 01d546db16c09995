#include "app/loadapplicationstate.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/messagebox.h"
#include "db/dberror.h"

void LoadApplicationState()
{
    try {
        BusyCursor busy;
        readApplicationState();
    } catch (const DbError& e) {
        ShowDbError(e);
    }
}
