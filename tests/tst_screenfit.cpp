#include "app/frmMain.h"
#include "app/screenconventions.h"
#include "fakewizard.h"
#include "masters/frmBrands.h"
#include "masters/frmMast.h"
#include "masters/frmQtyPerYear.h"
#include "masters/masterlisteditor.h"
#include "output/frmCrystal.h"
#include "output/frmHTML.h"
#include "output/frmPDF.h"
#include "quotation/frmCalcMRP.h"
#include "quotation/frmCalculator.h"
#include "quotation/frmEdit.h"
#include "quotation/frmFind.h"
#include "support/quotedrows.h"
#include "vendor/frmVendor.h"
#include "wizarddriver.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollArea>
#include <QToolTip>
#include <QTreeView>
#include <memory>

using namespace Wizard;

namespace {

// A 1366x768 laptop less its task bar and the window's title bar.
const QSize LaptopRoom(1366, 768 - 40 - 32);

bool fits(QSize size)
{
    return size.width() <= LaptopRoom.width() && size.height() <= LaptopRoom.height();
}

QString text(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

} // namespace

// Every screen opens inside a laptop's screen with its command buttons in view, Step 2 stands still
// whatever packing is chosen, and lists show numbers right-aligned and their key column whole.
class tst_ScreenFit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        frmQ1::unloadWizard(false);
        flushDeletes();
    }

    void everyScreenOpensInsideALaptopScreen()
    {
        TestFolder folder;
        MessageBoxScript boxes;
        FakeStep2 step2;
        AppState::PickListKind = 4;
        const std::pair<const char*, std::function<QWidget*()>> screens[] = {
            {"frmMain", [] { return new frmMain; }},
            {"frmVendor", [] { return new frmVendor; }},
            {"frmQ1", [] { return new frmQ1; }},
            {"frmQ2", [] { return new frmQ2; }},
            {"frmQ3", [] { return new frmQ3; }},
            {"frmEdit", [] { return new frmEdit; }},
            {"frmFind", [] { return new frmFind(nullptr, QString()); }},
            {"frmCalculator", [&] { return new frmCalculator(step2); }},
            {"frmCalcMRP", [&] { return new frmCalcMRP(step2); }},
            {"frmMast", [] { return new frmMast; }},
            {"frmBrands", [] { return new frmBrands; }},
            {"Generics", [] { return new MasterListEditor(MasterList::Generics); }},
            {"DrugForms", [] { return new MasterListEditor(MasterList::DrugForms); }},
            {"Strengths", [] { return new MasterListEditor(MasterList::Strengths); }},
            {"DrugPackings", [] { return new MasterListEditor(MasterList::DrugPackings); }},
            {"Tax", [] { return new MasterListEditor(MasterList::Tax); }},
            {"frmQtyPerYear", [] { return new frmQtyPerYear; }},
            {"frmHTML", [] { return new frmHTML; }},
            {"frmCrystal", [] { return new frmCrystal; }},
            {"frmPDF", [] { return new frmPDF; }},
        };
        for (const auto& [name, make] : screens) {
            std::unique_ptr<QWidget> w(make());
            const QString at = QLatin1String(name);
            QVERIFY2(fits(w->minimumSizeHint()), qPrintable(at + " needs " + text(w->minimumSizeHint())));
            QVERIFY2(fits(w->minimumSize()), qPrintable(at + " is held at " + text(w->minimumSize())));
            // As it opens on the laptop: its own size, cut to the room there is.
            w->resize(w->size().boundedTo(LaptopRoom));
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            QVERIFY2(fits(w->size()), qPrintable(at + " opens at " + text(w->size())));
            // Whatever does not scroll is inside the window: the command buttons and the status bar.
            for (QWidget* c : w->findChildren<QWidget*>()) {
                bool scrolls = false;
                for (QWidget* p = c->parentWidget(); p && !scrolls; p = p->parentWidget())
                    scrolls = qobject_cast<QScrollArea*>(p) || qobject_cast<QAbstractItemView*>(p);
                if (!c->isVisible() || scrolls || !(qobject_cast<QAbstractButton*>(c) || c->inherits("QStatusBar")))
                    continue;
                const QRect r(c->mapTo(w.get(), QPoint(0, 0)), c->size());
                QVERIFY2(w->rect().contains(r), qPrintable(at + ": " + c->objectName() + " is out of view"));
            }
            fitWindowOnScreen(w.get());
            QVERIFY2(fits(w->size()), qPrintable(at + " fitted at " + text(w->size())));
        }
    }

    void step2StaysStillWhenALongPackingIsChosen()
    {
        TestFolder folder;
        MessageBoxScript boxes;
        folder.exec("INSERT INTO CT_DrugPackings (ID, Code, Description, AddedByVendor, Packing, Ratio) VALUES (90001, "
                    "'90001', 'Carton of 10 blister strips of 10 tablets each with a measuring cup and leaflet', 1, 'Carton', 100)");
        frmQ1* step1 = openStep1();
        chooseBrand(step1, "acavelo", "Acavelo 25 mg Tablet");
        click(step1, "cmdMaster(1)");
        frmQ2* q2 = step2();
        QVERIFY(q2);
        activate(q2);
        auto* packings = control<QComboBox>(q2, "cboDrugPacking");
        QString longest;
        for (int i = 0; i < packings->count(); ++i)
            if (packings->itemText(i).size() > longest.size())
                longest = packings->itemText(i);

        const char* fields[] = {"txtCost", "txtMRPWithTax", "txtQty", "txtCostBefDisc", "txtMRPWithoutVATLU", "cmdMaster(1)"};
        auto where = [&] {
            QList<QRect> at{q2->geometry()};
            for (const char* f : fields) {
                auto* w = control<QWidget>(q2, f);
                at << QRect(w->mapTo(q2, QPoint(0, 0)), w->size());
            }
            return at;
        };
        const QList<QRect> before = where();
        pick(q2, "cboDrugPacking", "txtDrugPacking", longest);
        QCoreApplication::processEvents();
        QCOMPARE(where(), before);

        // The caption keeps its whole text, shown in its tooltip since it is cut.
        auto* caption = control<QLabel>(q2, "lblPacking(6)");
        QVERIFY(caption->text().contains(longest));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), caption->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(caption, &help);
        QTRY_COMPARE(QToolTip::text(), caption->text());
    }

    void listsAlignNumbersRightAndShowWholeKeys()
    {
        TestFolder folder;
        MessageBoxScript boxes;
        storeQuotation(sampleQuotation());
        frmEdit quoted;
        quoted.show();
        auto* items = control<QAbstractItemView>(&quoted, "lvItems");
        frmQ1* step1 = openStep1();
        chooseBrand(step1, "acavelo", "Acavelo 25 mg Tablet");
        auto* brands = control<QAbstractItemView>(step1, "lvBrands");
        // The list, a number column and a text column of the same row.
        const std::tuple<QAbstractItemView*, int, int> lists[] = {{items, 6, 1}, {items, 9, 2}, {items, 0, 3}, {brands, 11, 1}};
        for (const auto& [list, number, text] : lists) {
            const QModelIndex row = list->model()->index(0, 0);
            QVERIFY(row.isValid());
            const auto align = [&](int c) { return Qt::Alignment(row.siblingAtColumn(c).data(Qt::TextAlignmentRole).toInt()); };
            QVERIFY2(align(number) & Qt::AlignRight, qPrintable(list->objectName() + QString::number(number)));
            QVERIFY(!(align(text) & Qt::AlignRight));
        }
        auto* tree = static_cast<QTreeView*>(items);
        for (int c = 0; c < items->model()->columnCount(); ++c) {
            QVERIFY(tree->columnWidth(c) >= tree->header()->sectionSizeHint(c));  // header texts whole
            QVERIFY(tree->columnWidth(c) >= items->sizeHintForColumn(c));
        }
    }
};

QTEST_MAIN(tst_ScreenFit)
#include "tst_screenfit.moc"
