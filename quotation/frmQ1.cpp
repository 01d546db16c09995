#include "quotation/frmQ1.h"

#include "quotation/wizardheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/frmMain.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/recordlistview.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/screenconventions.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqltext.h"
#include "quotation/frmQ2.h"
#include "quotation/frmQ3.h"
#include "quotation/quotationdraft.h"
#include "quotation/wordfilter.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString CRLF = QStringLiteral("\r\n");

RecordListView* makeList(const QString& name, const QStringList& columns, QWidget* parent)
{
    auto* lv = new RecordListView(name, columns, QString(), QStringLiteral("K"), parent);
    attachListHighlight(lv);
    return lv;
}

// The field index of each named column, -1 when the result has no such column.
std::vector<RecordListColumn> listColumns(const Recordset& rs, std::initializer_list<const char*> names,
                                          const char* yesColumn, const char* numberColumn = nullptr)
{
    std::vector<RecordListColumn> columns;
    for (const char* name : names) {
        RecordListColumn column;
        column.field = rs.fieldIndex(QLatin1String(name));
        if (qstrcmp(name, yesColumn) == 0)
            column.show = RecordListColumn::Show::YesWhenTrue;
        column.number = numberColumn && qstrcmp(name, numberColumn) == 0;
        columns.push_back(column);
    }
    return columns;
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
    lvGenerics->setColumnWidth(2, 130);
    lvGenerics->setStretchColumn(1);
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
    lvBrands->setStretchColumn(1);
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
    pressOnReturn(txtGeneric, cmdMaster[2]);
    pressOnReturn(txtBrand, cmdMaster[5]);
    connect(cmdMaster[3], &QPushButton::clicked, this, &frmQ1::cmdShowAllGenerics);
    connect(cmdMaster[5], &QPushButton::clicked, this, &frmQ1::FilterBrands);
    connect(cmdMaster[6], &QPushButton::clicked, this, &frmQ1::cmdShowAllBrands);
    connect(cmdMaster[7], &QPushButton::clicked, this, [this] { showMasterEditor(MasterList::Brands, this); });
    connect(cmdMaster[8], &QPushButton::clicked, this, &frmQ1::cmdClear);
    connect(lvGenerics, &RecordListView::rowClicked, this, &frmQ1::lvGenerics_ItemClick);
    connect(lvBrands, &RecordListView::rowClicked, this, &frmQ1::lvBrands_ItemClick);
    // Moving through the brands with the keyboard shows each row as a click would.
    connect(lvBrands, &RecordListView::currentRowChanged, this, [this](int row) {
        if (row >= 0 && lvBrands->selectedRow() == row)
            lvBrands_ItemClick(row);
    });
    connect(lvBrands, &RecordListView::rowDoubleClicked, this, [this] {
        if (lvBrands->rowCount() > 0)
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

std::optional<ChosenBrand> frmQ1::chosenBrand() const
{
    const int row = lvBrands->selectedRow();
    if (row < 0)
        return std::nullopt;
    ChosenBrand b;
    b.brand = lvBrands->text(row, 1);
    b.manufacturer = lvBrands->text(row, 2);
    b.generic = lvBrands->text(row, 3);
    b.addedByVendor = lvBrands->text(row, 4) == QLatin1String("Yes");
    b.drugForm = lvBrands->text(row, 5);
    b.drugStrength = lvBrands->text(row, 6);
    return b;
}

void frmQ1::FilterGenerics()
{
    const QString clause = WordFilter::clause(txtGeneric->text());
    if (clause.isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a generic and then click on filter."));
        return;
    }
    lvBrands->rows()->clear();
    ListGenerics(WordFilter::genericsSql(clause));
}

void frmQ1::FilterBrands()
{
    const QString clause = WordFilter::clause(txtBrand->text());
    if (clause.isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a Brand and then click on filter by brand."));
        return;
    }
    lvGenerics->rows()->clear();
    ListBrands(WordFilter::brandsSql(clause));
}

void frmQ1::cmdShowAllGenerics()
{
    lvBrands->rows()->clear();
    ListGenerics(QStringLiteral("Select * From CT_Generics Order By Description"));
}

void frmQ1::cmdShowAllBrands()
{
    lvGenerics->rows()->clear();
    ListBrands(QStringLiteral("Select * From CT_Brands Order By Description"));
}

void frmQ1::ListGenerics(const QString& sql)
{
    BusyCursor busy;
    try {
        auto rs = std::make_unique<Recordset>(sql, AppState::ConnectionString, CursorType::ForwardOnly,
                                              LockType::ReadOnly);
        std::vector<RecordListColumn> columns = listColumns(*rs, {"Code", "Description", "AddedByVendor"}, "AddedByVendor");
        const int id = rs->fieldIndex(QStringLiteral("ID"));
        lvGenerics->rows()->setRecords(std::move(rs), std::move(columns), id);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmQ1::ListBrands(const QString& sql)
{
    BusyCursor busy;
    try {
        auto rs = std::make_unique<Recordset>(sql, AppState::ConnectionString, CursorType::ForwardOnly,
                                              LockType::ReadOnly);
        std::vector<RecordListColumn> columns =
            listColumns(*rs,
                        {"Code", "Description", "Manufacturer", "Generic", "AddedByVendor", "DrugForm", "DrugStrength",
                         "ItemSpecification", "PurchaseUOM", "PharmacyCategory", "PharmacySubCategory",
                         "ExpectedConsumption"},
                        "AddedByVendor", "ExpectedConsumption");
        const int id = rs->fieldIndex(QStringLiteral("ID"));
        lvBrands->rows()->setRecords(std::move(rs), std::move(columns), id);
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    if (lvBrands->rowCount() == 0 && lvGenerics->rowCount() > 0) {
        const int selected = lvGenerics->selectedRow();
        const QString generic = selected < 0 ? QString() : lvGenerics->text(selected, 1);
        showInfo(this, QStringLiteral("No brand found for generic") + CRLF + generic);
    } else if (lvBrands->rowCount() == 0) {
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

void frmQ1::lvGenerics_ItemClick(int row)
{
    const QString name = lvGenerics->text(row, 1);
    if (name.trimmed().isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of a Manufacturer and then click on filter by Manufacturer."));
        return;
    }
    clearDisplay();
    ListBrands(WordFilter::brandsOfGenericSql(name));
}

void frmQ1::lvBrands_ItemClick(int row)
{
    for (int i = 0; i < m_display.size(); ++i)
        m_display[i]->setText(lvBrands->text(row, DisplayColumns[i]));
}

void frmQ1::cmdNext()
{
    const int selected = lvBrands->selectedRow();
    if (lvBrands->rowCount() == 0 || selected < 0) {
        showInfo(this, QStringLiteral("Please choose a brand, before moving to step 2"));
        return;
    }
    if (!AppState::QuotationEditMode) {
        const QString brand = lvBrands->text(selected, 1);
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
    lvGenerics->rows()->clear();
    txtBrand->clear();
    lvBrands->rows()->clear();
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
        const QuotationDraft stored = QuotationDraft::fromStoredRow(rs);
        const QString generic = stored.generic;
        if (generic.isEmpty())
            return;
        txtGeneric->setText(generic);
        FilterGenerics();
        const int genericRow = lvGenerics->findRow(1, txtGeneric->text());
        if (genericRow < 0)
            return;
        lvGenerics->selectRow(genericRow);

        const QString brand = stored.brand;
        if (brand.isEmpty())
            return;
        txtBrand->setText(brand);
        ListBrands(WordFilter::brandOfGenericSql(brand, generic));
        const int brandRow = lvBrands->findRow(1, txtBrand->text());
        if (brandRow < 0)
            return;
        lvBrands->selectRow(brandRow);
        // Step 2 takes the quoted manufacturer from the row, not the hospital's.
        lvBrands->rows()->setText(brandRow, 2, stored.manufacturer);
        lvBrands_ItemClick(brandRow);

        DefaultInstance<frmQ2>::get().load(stored);
        DefaultInstance<frmQ3>::get().loadTerms(stored);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}
