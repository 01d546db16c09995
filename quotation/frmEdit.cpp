#include "quotation/frmEdit.h"

#include "app/screenheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/frmMain.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqltext.h"
#include "output/frmHTML.h"
#include "quotation/frmImport.h"
#include "quotation/quoteditemssheet.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

namespace {

struct ColumnText {
    const char* header;
    const char* column;  // Quotations column shown; none for the serial number
    int width;     // until the first fill sizes the columns to their contents
    bool number;   // right-aligned
};

constexpr ColumnText Columns[] = {
    {"SNO", nullptr, 48, true},
    {"BRAND", "Brand", 190, false},
    {"MANUFACTURER", "Manufacturer", 190, false},
    {"GENERIC", "Generic", 200, false},
    {"PACKING", "DrugPacking", 100, false},
    {"FORM", "DrugForm", 90, false},
    {"RATIO", "QuantityInEachStripOrPack", 60, true},
    {"STRENGTH", "DrugStrength", 130, false},
    {"COST BEF. DISC. W/O VAT", "CostOfPackBeforeDiscountWithoutVAT", 170, true},
    {"DISCOUNT%", "Discount%", 85, true},
    {"VAT", "CostVATCode", 90, false},
    {"MRP W/O VAT", "MRPOfPackWithoutVAT", 100, true},
    {"REMARKS", "Remarks", 150, false},
    {"HSN CODE", "HSNCode", 90, false},
};
constexpr int ColumnCount = 14;

struct ButtonText {
    const char* caption;
    const char* tooltip;
};

constexpr ButtonText Buttons[] = {
    {"&Close", ""},
    {"&Edit", "Edit selected item"},
    {"Print", "Print using crystal report"},
    {"Export (Html)", "Export as webpage"},
    {"Export (Excel)", "Export as Microsoft Excel sheet"},
    {"&Delete", "Delete selected item from quotation"},
    {"&Refresh", "Edit selected item"},
};

const QString ListQuery = QStringLiteral("Select * From Quotations Order By Brand");

// Header clicks sort by the clicked column's text.
class ListLine : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

QString shownText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

void showColumns(QTreeWidgetItem* line, const Recordset& rs)
{
    for (int c = 1; c < ColumnCount; ++c)
        line->setText(c, shownText(rs.field(QLatin1String(Columns[c].column))));
    for (int c = 0; c < ColumnCount; ++c)
        if (Columns[c].number)
            line->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

frmEdit::frmEdit(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral(" List of Quoted Drugs"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(12, 10, 12, 8);
    layout->setSpacing(8);

    layout->addWidget(createScreenHeading(QStringLiteral("List of Quoted Drugs"), QStringLiteral("lblHeading"), central));

    lvItems = new QTreeWidget(central);
    lvItems->setObjectName(QStringLiteral("lvItems"));
    lvItems->setColumnCount(ColumnCount);
    QStringList headers;
    for (const ColumnText& c : Columns)
        headers << QString::fromLatin1(c.header);
    lvItems->setHeaderLabels(headers);
    for (int c = 0; c < ColumnCount; ++c) {
        lvItems->setColumnWidth(c, Columns[c].width);
        if (Columns[c].number)
            lvItems->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    lvItems->setAlternatingRowColors(true);
    lvItems->setRootIsDecorated(false);
    lvItems->setUniformRowHeights(true);
    lvItems->setAllColumnsShowFocus(true);
    lvItems->setSelectionMode(QAbstractItemView::SingleSelection);
    lvItems->header()->setSectionsClickable(true);
    lvItems->header()->setStretchLastSection(false);
    attachListHighlight(lvItems, true);
    connect(lvItems->header(), &QHeaderView::sectionClicked, this, &frmEdit::SortByColumn);
    connect(lvItems, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });
    layout->addWidget(lvItems, 1);

    const QString hints[4] = {
        QStringLiteral("1.  To modify a quoted item select it in the list and click on Edit button"),
        QStringLiteral("2.  To print quoted items click on Print button. In case you face problem in printing quotation, "
                       "click on Export (Html) button and print HTML file."),
        QStringLiteral("3.  Do not copy HTML file in CD. Refer Data Submission Manual for Copying Pharmacy Tender "
                       "Database in CD for Submission to Kelmont Hospital."),
        QStringLiteral("4.  To delete an item select it in the list and click on Delete button. Record once deleted "
                       "cannot be retrieved. Do not delete any item after printing final Price Bid."),
    };
    for (int i = 0; i < 4; ++i) {
        auto* hint = new QLabel(hints[i], central);
        hint->setObjectName(QStringLiteral("lblHint(%1)").arg(i));
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    QPushButton* made[7] = {};
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(Buttons[i].caption), central);
        button->setObjectName(QStringLiteral("cmdMaster(%1)").arg(i));
        button->setToolTip(QString::fromLatin1(Buttons[i].tooltip));
        button->setMinimumHeight(30);
        button->setMinimumWidth(110);
        attachButtonHighlight(button);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        made[i] = button;
    }
    auto* cmdImport = new QPushButton(QStringLiteral("&Import Price List"), central);
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdImport->setToolTip(QStringLiteral("Quote items from a price list (.xlsx or .csv)"));
    cmdImport->setMinimumHeight(30);
    cmdImport->setMinimumWidth(110);
    attachButtonHighlight(cmdImport);
    connect(cmdImport, &QPushButton::clicked, this, &frmEdit::ImportPriceList);
    // Left to right as the vendor works: edit, print, export, import, delete, refresh, and close last.
    for (int i : {1, 2, 3, 4})
        buttons->addWidget(made[i]);
    buttons->addWidget(cmdImport);
    for (int i : {5, 6})
        buttons->addWidget(made[i]);
    buttons->addStretch();
    buttons->addWidget(made[0]);
    layout->addLayout(buttons);

    setCentralWidget(central);
    setStatusBar(createStatusBar(this));
    resize(1100, 620);
    Form_Load();
}

void frmEdit::Form_Load()
{
    FillList(ListQuery);
    RemoveCloseButton(this);
}

void frmEdit::FillList(const QString& sql)
{
    BusyCursor busy;
    try {
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        lvItems->clear();
        // Lines stay in load order until the vendor clicks a header.
        lvItems->setSortingEnabled(false);
        lvItems->header()->setSortIndicatorShown(false);
        // Turning the automatic sorting off also stops the header from taking clicks; the vendor
        // still sorts by clicking.
        lvItems->header()->setSectionsClickable(true);
        QList<QTreeWidgetItem*> lines;
        int n = 1;
        while (!rs.eof()) {
            auto* line = new ListLine;
            line->setText(0, QString::number(n));
            line->setData(0, KeyRole, QString::number(n) + QStringLiteral("K"));
            line->setData(0, TagRole, rs.field(QStringLiteral("ID")));
            showColumns(line, rs);
            lines << line;
            rs.moveNext();
            ++n;
        }
        rs.close();
        lvItems->addTopLevelItems(lines);
        // The first fill sizes every column to its contents and header, the serial number included;
        // later fills keep the widths the vendor may have set.
        if (!m_columnsFitted && !lines.isEmpty()) {
            m_columnsFitted = true;
            for (int c = 0; c < ColumnCount; ++c)
                lvItems->resizeColumnToContents(c);
        }
        if (!lines.isEmpty())
            lvItems->setCurrentItem(lines.first());
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmEdit::SortByColumn(int column)
{
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    lvItems->header()->setSortIndicatorShown(true);
    lvItems->sortItems(column, m_sortOrder);
}

void frmEdit::cmdMaster_Click(int index)
{
    switch (index) {
    case 0:
        close();
        break;
    case 1:
        EditSelected();
        break;
    case 2:
        if (lvItems->topLevelItemCount() > 0)
            showReportPrinting(this);
        else
            showInfo(this, QStringLiteral("Nothing to print"));
        break;
    case 3:
        if (lvItems->topLevelItemCount() > 0)
            showExportScreen(this);
        else
            showInfo(this, QStringLiteral("Nothing to export"));
        break;
    case 4:
        // With no items the header row alone is the blank price list a supplier fills in.
        exportWorkbook(this, QStringLiteral("Quoted Items.xlsx"), [] { return QuotedItemsSheet::build(); });
        break;
    case 5:
        DeleteSelected();
        break;
    case 6:
        FillList(ListQuery);
        break;
    default:
        break;
    }
}

bool frmEdit::SelectedTag(const QString& emptyListMessage, QString& tag)
{
    QTreeWidgetItem* line = lvItems->currentItem();
    if (lvItems->topLevelItemCount() == 0 || !line) {
        showInfo(this, emptyListMessage);
        return false;
    }
    tag = line->data(0, TagRole).toString();
    if (!isSqlNumber(tag) || tag.contains(QLatin1Char('.')) || tag.startsWith(QLatin1Char('-'))) {
        showInfo(this, QStringLiteral("Invalid ID! Please try again"));
        return false;
    }
    return true;
}

void frmEdit::EditSelected()
{
    QString tag;
    if (!SelectedTag(QStringLiteral("Please select an item to edit"), tag))
        return;
    AppState::QuotationEditMode = true;
    AppState::QuotationEditKey = tag.toLongLong();
    AppState::WizardFromMainMenu = false;
    hide();
    startQuotationWizard();
}

void frmEdit::DeleteSelected()
{
    QString tag;
    if (!SelectedTag(QStringLiteral("Please select an item to delete"), tag))
        return;
    AppState::QuotationEditMode = true;
    AppState::QuotationEditKey = tag.toLongLong();
    DeleteQuotation();
    AppState::QuotationEditMode = false;
    AppState::QuotationEditKey = QString();
}

void frmEdit::DeleteQuotation()
{
    std::optional<BusyCursor> busy(std::in_place);
    try {
        Recordset rs(QStringLiteral("Select * From Quotations Where ID=") + AppState::QuotationEditKey.toString(),
                     AppState::ConnectionString, CursorType::Keyset, LockType::Pessimistic);
        busy.reset();
        if (rs.eof()) {
            showInfo(this, QStringLiteral("Could not found record for deletion!"));
            return;
        }
        QTreeWidgetItem* line = lvItems->currentItem();
        const QString crlf = QStringLiteral("\r\n");
        const QString question = QStringLiteral("Do you really want to delete following item from quotation?") + crlf +
                                 QStringLiteral("Brand: ") + line->text(1) + crlf +
                                 QStringLiteral("Manufacturer: ") + line->text(2) + crlf +
                                 QStringLiteral("Generic: ") + line->text(3) + crlf +
                                 QStringLiteral("Drug Packing: ") + line->text(4) + crlf +
                                 QStringLiteral("Drug Form: ") + line->text(5) + crlf +
                                 QStringLiteral("Drug Strength: ") + line->text(7) + crlf + crlf +
                                 QStringLiteral("WARNING - Do not delete any item after printing the final Price Bid.");
        if (!askConfirm(this, question, true))
            return;
        busy.emplace();
        rs.deleteCurrent();
        rs.close();
        busy.reset();
        // The other lines keep their serial numbers until the list is refreshed.
        delete line;
        showInfo(this, QStringLiteral("Item deleted successfully."));
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmEdit::RefreshQuotation(qint64 quotationId)
{
    QTreeWidgetItem* line = nullptr;
    for (int i = 0; i < lvItems->topLevelItemCount() && !line; ++i)
        if (lvItems->topLevelItem(i)->data(0, TagRole).toLongLong() == quotationId)
            line = lvItems->topLevelItem(i);
    if (!line)
        return;
    BusyCursor busy;
    try {
        Recordset rs(QStringLiteral("Select * From Quotations Where ID=") + QString::number(quotationId),
                     AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        if (!rs.eof())
            showColumns(line, rs);
    } catch (const DbError& e) {
        ShowDbError(e, this);
    }
}

void frmEdit::ImportPriceList()
{
    frmImport dialog(this);
    dialog.exec();
    if (dialog.imported())
        FillList(ListQuery);
}

void frmEdit::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmEdit>::release();
    DefaultInstance<frmMain>::get().show();
}
