#include "app/screens.h"
#include "masters/frmMast.h"
#include "masters/masterlisteditor.h"

#include <memory>

// Each opening builds a fresh screen, so nothing of an earlier visit (edit mode, an unlock) survives it.
void showMasterEditor(MasterList list, QWidget* parent)
{
    std::unique_ptr<MasterListEditor> editor(createMasterEditor(list, parent));
    editor->exec();
}

void showMasterTablesMenu(QWidget* parent)
{
    frmMast menu(parent);
    menu.exec();
}
