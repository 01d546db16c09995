#include "quotation/frmQ1.h"

#include "quotation/wizardheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/frmMain.h"
#include "app/keyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqltext.h"
#include "quotation/frmQ2.h"
#include "quotation/frmQ3.h"
#include "quotation/wordfilter.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString text(const Recordset& rs, const char* column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return v.isNull() ? QString() : v.toString();
}

QString yesWhenTrue(const Recordset& rs)
{
    const QVariant v = rs.field(QStringLiteral("AddedByVendor"));
    return !v.isNull() && v.toBool() ? QStringLiteral("Yes") : QString();
}

QTreeWidget* makeList(const QString& name, const QStringList& columns, QWidget* parent)
{
    auto* lv = new QTreeWidget(parent);
    lv->setObjectName(name);
    lv->setRootIsDecorated(false);
    lv->setUniformRowHeights(true);
    lv->setAllColumnsShowFocus(true);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setHeaderLabels(columns);
    lv->header()->setStretchLastSection(false);
    attachListHighlight(lv);
    return lv;
}

// Item click on a row fills the display boxes from these sub-items.
const int DisplayColumns[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11};

} // namespace

frmQ1::frmQ1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmQ1"));
    // Only the main menu ends the application; a wizard step closing never does, even when it was the
    // last window shown at that moment.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Enter Quotation - Choose a Brand you want to Quote..."));
    buildUi();
    RemoveCloseButton(this);
}

void frmQ1::buildUi()
{
    auto* root = new QVBoxLayout(this);

    root->addLayout(makeWizardHeading(this, QStringLiteral("Choose a Brand you want to Quote..."), QStringLiteral("Screen 1 of 3")));

    auto makeButton = [this](int index, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("cmdMaster(%1)").arg(index));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        attachButtonHighlight(b);
        cmdMaster.insert(index, b);
        return b;
    };
    auto makeSearch = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(200);
        attachKeyFilter(e, KeyFilter::NoApostrophe);
        attachTextHighlight(e);
        return e;
    };

    // The two searches side by side: generics on the left, brands on the right.
    auto* searches = new QHBoxLayout;
    auto* genBox = new QGroupBox(QStringLiteral("Search using Generic"), this);
    auto* genLayout = new QVBoxLayout(genBox);
    genLayout->addWidget(new QLabel(QStringLiteral("STEP 1: Either enter a generic name ..."), genBox));
    auto* genRow = new QHBoxLayout;
    txtGeneric = makeSearch(QStringLiteral("txtGeneric"));
    genRow->addWidget(txtGeneric, 1);
    genRow->addWidget(makeButton(2, QStringLiteral("&Filter"), QStringLiteral("Show matching generics only")));
    genRow->addWidget(makeButton(3, QStringLiteral("Show &All"), QStringLiteral("Show all generics")));
    genLayout->addLayout(genRow);
    lvGenerics = makeList(QStringLiteral("lvGenerics"),
                          {QStringLiteral("CODE"), QStringLiteral("GENERIC NAME"), QStringLiteral("ADDED BY VENDOR")}, genBox);
    lvGenerics->setColumnWidth(0, 70);
    lvGenerics->setColumnWidth(1, 200);
    lvGenerics->setColumnWidth(2, 120);
    genLayout->addWidget(lvGenerics);
    searches->addWidget(genBox, 2);

    auto* brandBox = new QGroupBox(QStringLiteral("Search using Brand"), this);
    auto* brandLayout = new QVBoxLayout(brandBox);
    brandLayout->addWidget(new QLabel(QStringLiteral("... or enter a brand name"), brandBox));
    auto* brandRow = new QHBoxLayout;
    txtBrand = makeSearch(QStringLiteral("txtBrand"));
    brandRow->addWidget(txtBrand, 1);
    brandRow->addWidget(makeButton(5, QStringLiteral("&Filter"), QStringLiteral("Show matching brands only")));
    brandRow->addWidget(makeButton(6, QStringLiteral("Show &All"), QStringLiteral("Show all brands")));
    brandRow->addWidget(makeButton(7, QStringLiteral("Add &Brand"),
                                   QStringLiteral("Add a brand name in case you do not find in our list")));
    brandLayout->addLayout(brandRow);
    lvBrands = makeList(QStringLiteral("lvBrands"),
                        {QStringLiteral("CODE"), QStringLiteral("BRAND NAME"), QStringLiteral("MANUFACTURER"),
                         QStringLiteral("GENERIC"), QStringLiteral("ADDED BY VENDOR"), QStringLiteral("DRUG FORM"),
                         QStringLiteral("DRUG STRENGTH"), QStringLiteral("SPECIFICATION"),
                         QStringLiteral("PURCHASE UOM"), QStringLiteral("CATEGORY"), QStringLiteral("SUBCATEGORY"),
                         QStringLiteral("EXPECTED CONSUMPTION")},
                        brandBox);
    const int widths[] = {70, 220, 170, 170, 120, 100, 110, 200, 110, 150, 200, 160};
    for (int i = 0; i < 12; ++i)
        lvBrands->setColumnWidth(i, widths[i]);
    brandLayout->addWidget(lvBrands);
    brandLayout->addWidget(new QLabel(QStringLiteral("STEP 2: Select a brand above and click on Next button"), brandBox));
    searches->addWidget(brandBox, 3);
    root->addLayout(searches, 1);

    // The chosen brand, shown read only.
    auto* details = new QGroupBox(this);
    auto* grid = new QGridLayout(details);
    const QStringList names = {QStringLiteral("txtItem"),          QStringLiteral("txtManuf"),
                               QStringLiteral("txtGenericName"),   QStringLiteral("txtDrugForm"),
                               QStringLiteral("txtDrugStrength"),  QStringLiteral("txtSpecification"),
                               QStringLiteral("txtPurUOM"),        QStringLiteral("txtCategory"),
                               QStringLiteral("txtSubCategory"),   QStringLiteral("txtTentativeCons")};
    const QStringList captions = {QStringLiteral("Brand Name"),    QStringLiteral("Manufacturer"),
                                  QStringLiteral("Generic"),       QStringLiteral("Drug Form"),
                                  QStringLiteral("Strength"),      QStringLiteral("Specification"),
                                  QStringLiteral("Purchase UOM"),  QStringLiteral("Category"),
                                  QStringLiteral("Subcategory"),
                                  QStringLiteral("Tentative Expected Consumption of 2 Years")};
    for (int i = 0; i < names.size(); ++i) {
        auto* e = new QLineEdit(details);
        e->setObjectName(names[i]);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        e->setPalette(p);
        m_display << e;
        const int row = i % 5;
        const int col = (i / 5) * 2;
        grid->addWidget(new QLabel(captions[i], details), row, col);
        grid->addWidget(e, row, col + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    root->addWidget(details);

    auto* bottom = new QHBoxLayout;
    auto* hints = new QLabel(
        QStringLiteral(
            "1.  To find a generic enter few characters in the Generic Name textbox and press Filter button. To view all "
            "generics, click on show all button.\n"
            "2.  To see all brands related to a generic click on generic name in the list box\n"
            "3.  To find a brand enter few characters in the Brand Name textbox and press Filter button. To view all "
            "brands, click on show all button\n"
            "4.  Once you selected the brand you wanted to quote Click on Next button. If brand you want to quote is "
            "not available add it using 'Add Brand' button\n"
            "5.  If quoted item is approved, purchase order will be made with the description you have "
            "selected/entered."),
        this);
    hints->setWordWrap(true);
    bottom->addWidget(hints, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(makeButton(1, QStringLiteral("&Next"), QStringLiteral("Go to next screen")));
    buttons->addWidget(makeButton(8, QStringLiteral("&Clear"), QStringLiteral("Clear data on this screen")));
    buttons->addWidget(makeButton(0, QStringLiteral("&Close"), QStringLiteral("Close without saving changes")));
    buttons->addStretch();
    bottom->addLayout(buttons);
    root->addLayout(bottom);

    connect(cmdMaster[0], &QPushButton::clicked, this, &frmQ1::cmdClose);
    connect(cmdMaster[1], &QPushButton::clicked, this, &frmQ1::cmdNext);
    connect(cmdMaster[2], &QPushButton::clicked, this, &frmQ1::FilterGenerics);
    connect(cmdMaster[3], &QPushButton::clicked, this, &frmQ1::cmdShowAllGenerics);
    connect(cmdMaster[5], &QPushButton::clicked, this, &frmQ1::FilterBrands);
    connect(cmdMaster[6], &QPushButton::clicked, this, &frmQ1::cmdShowAllBrands);
    connect(cmdMaster[7], &QPushButton::clicked, this, [this] { showMasterEditor(MasterList::Brands, this); });
    connect(cmdMaster[8], &QPushButton::clicked, this, &frmQ1::cmdClear);
    connect(lvGenerics, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lvGenerics_ItemClick(item); });
    connect(lvBrands, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lvBrands_ItemClick(item); });
    // Moving through the brands with the keyboard shows each row as a click would.
    connect(lvBrands, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->isSelected())
            lvBrands_ItemClick(item);
    });
    connect(lvBrands, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (lvBrands->topLevelItemCount() > 0)
            cmdNext();
    });
    resize(1100, 720);
}

void frmQ1::Form_Load()
{
    if (!AppState::QuotationEditMode)
        return;
    LoadQuotationForEdit();
    for (QWidget* w : std::initializer_list<QWidget*>{cmdMaster[8], txtGeneric, cmdMaster[2], cmdMaster[3], lvGenerics,
                                                      txtBrand, cmdMaster[5], cmdMaster[6], cmdMaster[7], lvBrands})
        w->setEnabled(false);
}

QStringList frmQ1::selectedBrand() const
{
    const QList<QTreeWidgetItem*> selected = lvBrands->selectedItems();
    if (selected.isEmpty())
        return {};
    QStringList row;
    for (int c = 0; c < lvBrands->columnCount(); ++c)
        row << selected.first()->text(c);
    return row;
}

void frmQ1::FilterGenerics()
{
    const QString clause = WordFilter::clause(txtGeneric->text());
    if (clause.isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a generic and then click on filter."));
        return;
    }
    lvBrands->clear();
    ListGenerics(WordFilter::genericsSql(clause));
}

void frmQ1::FilterBrands()
{
    const QString clause = WordFilter::clause(txtBrand->text());
    if (clause.isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a Brand and then click on filter by brand."));
        return;
    }
    lvGenerics->clear();
    ListBrands(WordFilter::brandsSql(clause));
}

void frmQ1::cmdShowAllGenerics()
{
    lvBrands->clear();
    ListGenerics(QStringLiteral("Select * From CT_Generics Order By Description"));
}

void frmQ1::cmdShowAllBrands()
{
    lvGenerics->clear();
    ListBrands(QStringLiteral("Select * From CT_Brands Order By Description"));
}

void frmQ1::ListGenerics(const QString& sql)
{
    BusyCursor busy;
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        lvGenerics->clear();
        QList<QTreeWidgetItem*> items;
        qint64 counter = 0;  // wide enough that no tender can run the row keys over
        for (; !rs.eof(); rs.moveNext()) {
            auto* item = new QTreeWidgetItem({text(rs, "Code"), text(rs, "Description"), yesWhenTrue(rs)});
            item->setData(0, KeyRole, QString::number(++counter) + QLatin1Char('K'));
            item->setData(0, TagRole, rs.field(QStringLiteral("ID")));
            items << item;
        }
        rs.close();
        lvGenerics->addTopLevelItems(items);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ1::ListBrands(const QString& sql)
{
    BusyCursor busy;
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        lvBrands->clear();
        // Columns looked up once, not per row: a Show All lists tens of thousands of brands.
        static const char* const columns[] = {"Code",         "Description",       "Manufacturer",
                                              "Generic",      "AddedByVendor",     "DrugForm",
                                              "DrugStrength", "ItemSpecification", "PurchaseUOM",
                                              "PharmacyCategory", "PharmacySubCategory", "ExpectedConsumption"};
        int index[12];
        for (int c = 0; c < 12; ++c) {
            index[c] = -1;
            for (int f = 0; f < rs.fieldCount(); ++f)
                if (rs.fieldName(f).compare(QLatin1String(columns[c]), Qt::CaseInsensitive) == 0)
                    index[c] = f;
        }
        int idIndex = -1;
        for (int f = 0; f < rs.fieldCount(); ++f)
            if (rs.fieldName(f).compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
                idIndex = f;
        QList<QTreeWidgetItem*> items;
        qint64 counter = 0;  // wide enough that no tender can run the row keys over
        for (; !rs.eof(); rs.moveNext()) {
            QStringList row;
            row.reserve(12);
            for (int c = 0; c < 12; ++c) {
                const QVariant v = index[c] < 0 ? QVariant() : rs.field(index[c]);
                if (c == 4)
                    row << (!v.isNull() && v.toBool() ? QStringLiteral("Yes") : QString());
                else
                    row << (v.isNull() ? QString() : v.toString());
            }
            auto* item = new QTreeWidgetItem(row);
            item->setData(0, KeyRole, QString::number(++counter) + QLatin1Char('K'));
            item->setData(0, TagRole, idIndex < 0 ? QVariant() : rs.field(idIndex));
            items << item;
        }
        rs.close();
        lvBrands->addTopLevelItems(items);
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    if (lvBrands->topLevelItemCount() == 0 && lvGenerics->topLevelItemCount() > 0) {
        const QList<QTreeWidgetItem*> sel = lvGenerics->selectedItems();
        const QString generic = sel.isEmpty() ? QString() : sel.first()->text(1);
        showInfo(this, QStringLiteral("No brand found for generic") + CRLF + generic);
    } else if (lvBrands->topLevelItemCount() == 0) {
        showInfo(this, QStringLiteral("No brand found"));
    } else {
        // No brand counts as chosen until the vendor clicks one.
        lvBrands->clearSelection();
    }
}

bool frmQ1::IsBrandQuoted(const QString& brand)
{
    BusyCursor busy;
    Recordset rs(WordFilter::quotedBrandSql(brand), AppState::ConnectionString, CursorType::ForwardOnly,
                 LockType::ReadOnly);
    const bool quoted = !rs.eof();
    rs.close();
    return quoted;
}

void frmQ1::clearDisplay()
{
    for (QLineEdit* e : m_display)
        e->clear();
}

void frmQ1::lvGenerics_ItemClick(QTreeWidgetItem* item)
{
    const QString name = item->text(1);
    if (name.trimmed().isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a Manufacturer and then click on filter by Manufacturer."));
        return;
    }
    clearDisplay();
    ListBrands(WordFilter::brandsOfGenericSql(name));
}

void frmQ1::lvBrands_ItemClick(QTreeWidgetItem* item)
{
    for (int i = 0; i < m_display.size(); ++i)
        m_display[i]->setText(item->text(DisplayColumns[i]));
}

void frmQ1::cmdNext()
{
    const QList<QTreeWidgetItem*> selected = lvBrands->selectedItems();
    if (lvBrands->topLevelItemCount() == 0 || selected.isEmpty()) {
        showInfo(this, QStringLiteral("Please choose a brand, before moving to step 2"));
        return;
    }
    if (!AppState::QuotationEditMode) {
        const QString brand = selected.first()->text(1);
        bool quoted = false;
        try {
            quoted = IsBrandQuoted(brand);
        } catch (const DbError& e) {
            ShowDbError(e, this);
            return;
        }
        if (quoted) {
            showMessage(this, QStringLiteral("Aborting..."),
                        QStringLiteral("You have already quoted drug: ") + brand + QStringLiteral(".") + CRLF + CRLF +
                            QStringLiteral("In case you want to modify/delete this drug, please use "
                                           "'View/Edit/Print/Export Quoted Items' option available in the main menu. "
                                           "Cannot continue."),
                        QMessageBox::Information);
            return;
        }
    }
    AppState::Step2NeedsReset = true;
    hide();
    frmQ2& step2 = DefaultInstance<frmQ2>::get();
    step2.show();
    step2.activateWindow();
}

void frmQ1::cmdClear()
{
    if (!askConfirm(this, QStringLiteral("Do you really want to clear this form?")))
        return;
    txtGeneric->clear();
    lvGenerics->clear();
    txtBrand->clear();
    lvBrands->clear();
    clearDisplay();
    txtGeneric->setFocus();
}

void frmQ1::cmdClose()
{
    AppState::QuotationEditMode = false;
    AppState::QuotationEditKey = QString();
    unloadWizard(true);
}

void frmQ1::unloadWizard(bool showStarter)
{
    if (frmQ3* step3 = DefaultInstance<frmQ3>::existing())
        step3->close();
    if (frmQ2* step2 = DefaultInstance<frmQ2>::existing())
        step2->close();
    if (frmQ1* step1 = DefaultInstance<frmQ1>::existing()) {
        step1->m_showStarterOnClose = showStarter;
        step1->close();
    }
}

void frmQ1::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmQ1>::release();
    if (!m_showStarterOnClose)
        return;
    if (AppState::WizardFromMainMenu)
        DefaultInstance<frmMain>::get().show();
    else
        showQuotedItemsList();
}

void frmQ1::LoadQuotationForEdit()
{
    BusyCursor busy;
    try {
        const QString key = AppState::QuotationEditKey.toString();
        Recordset rs;
        // The key is spliced bare: only a number can name a row.
        if (isSqlNumber(key))
            rs.open(QStringLiteral("Select * From Quotations Where ID=") + key, AppState::ConnectionString,
                    CursorType::ForwardOnly, LockType::ReadOnly);
        if (!rs.isOpen() || rs.eof()) {
            showMessage(this, QStringLiteral("Error"), QStringLiteral("Could not find ID. cannot continue editing"),
                        QMessageBox::Critical);
            return;
        }
        const QString generic = text(rs, "Generic");
        if (generic.isEmpty())
            return;
        txtGeneric->setText(generic);
        FilterGenerics();
        QTreeWidgetItem* genericRow = nullptr;
        for (int i = 0; i < lvGenerics->topLevelItemCount() && !genericRow; ++i)
            if (lvGenerics->topLevelItem(i)->text(1) == txtGeneric->text())
                genericRow = lvGenerics->topLevelItem(i);
        if (!genericRow)
            return;
        lvGenerics->clearSelection();
        genericRow->setSelected(true);
        lvGenerics->scrollToItem(genericRow);

        const QString brand = text(rs, "Brand");
        if (brand.isEmpty())
            return;
        txtBrand->setText(brand);
        ListBrands(WordFilter::brandOfGenericSql(brand, generic));
        QTreeWidgetItem* brandRow = nullptr;
        for (int i = 0; i < lvBrands->topLevelItemCount() && !brandRow; ++i)
            if (lvBrands->topLevelItem(i)->text(1) == txtBrand->text())
                brandRow = lvBrands->topLevelItem(i);
        if (!brandRow)
            return;
        brandRow->setSelected(true);
        lvBrands->setCurrentItem(brandRow);
        lvBrands->scrollToItem(brandRow);
        // Step 2 takes the quoted manufacturer from the row, not the hospital's.
        brandRow->setText(2, text(rs, "Manufacturer"));
        lvBrands_ItemClick(brandRow);

        DefaultInstance<frmQ2>::get().fillFromStoredRow(rs);
        DefaultInstance<frmQ3>::get().fillFromStoredRow(rs);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}
