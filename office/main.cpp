#include "office/frmOffice.h"

#include <QApplication>

// tenderoffice [TENDER.klmt [RETURNED.klmt...]]: files dropped on the program are opened at once.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    frmOffice window;
    window.show();
    const QStringList files = app.arguments().mid(1);
    if (!files.isEmpty())
        window.compareFiles(files.front(), files.mid(1));
    return app.exec();
}
