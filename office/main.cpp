#include "office/frmOffice.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    frmOffice window;
    window.show();
    return app.exec();
}
