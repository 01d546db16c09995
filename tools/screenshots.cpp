// Takes the README's screenshots: the vendor's road through the application on the demo tender, one
// PNG per screen, in the folder given (docs/screenshots). Run by scripts/screenshots.sh under a
// virtual display of the size a clerk's screen has.
#include "app/applicationstate.h"
#include "app/frmMain.h"
#include "app/screenconventions.h"
#include "output/frmHTML.h"
#include "quotation/frmEdit.h"
#include "tender/frmReadiness.h"
#include "support/quotedrows.h"
#include "vendor/frmVendor.h"
#include "vendor/vendorrecord.h"
#include "wizarddriver.h"

#include <QDir>
#include <QPlainTextEdit>
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
        // A made-up supplier, typed in and stored as Save & Close would.
        const VendorRecord::Texts texts = {
            QStringLiteral("Sahyadri Pharma Distributors"), QStringLiteral("12 Market Yard Road"),
            QStringLiteral("Pune"), QStringLiteral("Maharashtra"), QStringLiteral("411037"),
            QStringLiteral("A. Kulkarni"), QStringLiteral("020-55501234"), QStringLiteral("9800000000"),
            QStringLiteral("Maharashtra"), QStringLiteral("bids@example.com"), QStringLiteral("27ABCDE1234F1Z5"),
            QStringLiteral("30"), QStringLiteral("7"), QString()};
        frmVendor vendor;
        for (int i = 0; i < VendorRecord::FieldCount; ++i) {
            QWidget* box = vendor.findChild<QWidget*>(QLatin1String(VendorRecord::fields()[size_t(i)].textBox));
            if (auto* lines = qobject_cast<QPlainTextEdit*>(box))
                lines->setPlainText(texts[size_t(i)]);
            else if (box)
                box->setProperty("text", texts[size_t(i)]);
        }
        shoot(&vendor, "1-vendor-details");
        VendorRecord::save(texts, QString(), AppState::ConnectionString);
        // The vendor and the tender's title, as start-up loads them.
        readApplicationState();
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
    {
        frmReadiness readiness;
        shoot(&readiness, "8-bid-readiness");
    }
    return 0;
}
