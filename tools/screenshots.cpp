// Takes the README's screenshots: the vendor's road through the application on the demo tender, one
// PNG per screen, in the folder given (docs/screenshots). Run by scripts/screenshots.sh under a
// virtual display of the size a clerk's screen has.
#include "app/frmMain.h"
#include "app/screenconventions.h"
#include "output/frmHTML.h"
#include "quotation/frmEdit.h"
#include "support/quotedrows.h"
#include "vendor/frmVendor.h"
#include "wizarddriver.h"

#include <QDir>
#include <QTimer>

using namespace Wizard;

namespace {

QString outFolder;

void shoot(QWidget* window, const char* name)
{
    if (!window->isVisible())
        window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("%s did not show", name);
    QTest::qWait(300);
    window->grab().save(outFolder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installScreenConventions();
    outFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(outFolder);
    TestFolder folder;
    MessageBoxScript boxes;  // nothing should ask; any box is answered with its default

    {
        frmVendor vendor;
        shoot(&vendor, "1-vendor-details");
    }
    frmQ1* step1 = openStep1();
    chooseBrand(step1, QStringLiteral("acavelo"), QStringLiteral("Acavelo 25 mg Tablet"));
    shoot(step1, "2-step1-choose-brand");
    click(step1, QStringLiteral("cmdMaster(1)"));
    frmQ2* q2 = step2();
    if (!q2) {
        for (const RecordedBox& box : boxes.boxes())
            qWarning("%s", qPrintable(box.text));
        return 1;
    }
    activate(q2);
    fillStep2(q2);
    shoot(q2, "3-step2-cost-and-mrp");
    click(q2, QStringLiteral("cmdMaster(1)"));
    shoot(step3(), "4-step3-review");
    frmQ1::unloadWizard(false);
    flushDeletes();

    // The item as Step 3 would have saved it.
    storeQuotation(sampleQuotation());
    frmMain* menu = &DefaultInstance<frmMain>::get();
    shoot(menu, "5-main-menu");
    showQuotedItemsList();
    shoot(DefaultInstance<frmEdit>::existing(), "6-quoted-items");
    {
        frmHTML exportScreen;
        shoot(&exportScreen, "7-price-bid-export");
    }
    return 0;
}
