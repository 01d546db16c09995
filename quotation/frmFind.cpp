#include "quotation/frmFind.h"

#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/focushighlight.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screens.h"
#include "app/screenconventions.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "quotation/dialogcontrols.h"
#include "quotation/picklistsql.h"
#include "quotation/step2link.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmFind::frmFind(QWidget* opener, const QString& currentValue, Step2Link* step2)
    : QDialog(opener), m_currentValue(currentValue), m_step2(step2)
{
    setObjectName(QStringLiteral("frmFind"));

    auto* menuBar = new QMenuBar(this);
    QAction* back = menuBar->addAction(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, [this] { close(); });

    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setMaxLength(200);
    attachTextHighlight(txtFind);
    attachKeyFilter(txtFind, KeyFilter::NoApostrophe);

    lvData = new QTreeWidget(this);
    lvData->setObjectName(QStringLiteral("lvData"));
    lvData->setRootIsDecorated(false);
    lvData->setUniformRowHeights(true);
    lvData->setSelectionMode(QAbstractItemView::SingleSelection);
    lvData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvData->setHeaderLabels({QStringLiteral("SNO"), QStringLiteral("DESCRIPTION")});
    lvData->header()->setStretchLastSection(true);
    lvData->setColumnWidth(0, 60);
    lvData->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    lvData->setAlternatingRowColors(true);
    attachListHighlight(lvData);

    const struct {
        const char* caption;
        const char* tooltip;
    } buttons[5] = {
        {"&Close", "Return to Previous Screen"},
        {"&Select && Close", "Use selected item"},
        {"&Filter", "Filter"},
        {"Show &All", "Show all"},
        {"Cannot find in the list? Click to create new packing", "Add/Edit Drug Packing"},
    };
    for (int i = 0; i < 5; ++i) {
        cmdMaster[i] = plainButton(this, QStringLiteral("cmdMaster(%1)").arg(i), QLatin1String(buttons[i].caption),
                                   QLatin1String(buttons[i].tooltip));
        connect(cmdMaster[i], &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
    }
    QFont narrow(QStringLiteral("Arial Narrow"));
    narrow.setPointSize(cmdMaster[4]->font().pointSize());
    cmdMaster[4]->setFont(narrow);
    // Hidden by design: the action is kept for the day the master lists are opened from here.
    cmdMaster[4]->setVisible(false);

    connect(lvData, &QTreeWidget::itemDoubleClicked, this, [this] { SelectAndClose(); });

    auto* search = new QHBoxLayout;
    search->addWidget(txtFind, 1);
    search->addWidget(cmdMaster[2]);
    search->addWidget(cmdMaster[3]);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdMaster[4]);
    bottom->addStretch();
    bottom->addWidget(cmdMaster[1]);
    bottom->addWidget(cmdMaster[0]);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(search);
    layout->addWidget(lvData, 1);
    layout->addLayout(bottom);

    pressOnReturn(txtFind, cmdMaster[2]);
    setTabOrder(txtFind, cmdMaster[2]);
    setTabOrder(cmdMaster[2], cmdMaster[3]);
    setTabOrder(cmdMaster[3], lvData);
    setTabOrder(lvData, cmdMaster[1]);
    setTabOrder(cmdMaster[1], cmdMaster[0]);
    resize(520, 460);

    Form_Load();
}

void frmFind::Form_Load()
{
    RemoveCloseButton(this, cmdMaster[0]);
    m_kind = AppState::PickListKind;
    switch (m_kind) {
    case 1: setWindowTitle(QStringLiteral(" Drug Packings")); break;
    case 2: setWindowTitle(QStringLiteral(" Drug Forms")); break;
    case 3: setWindowTitle(QStringLiteral(" Drug Strengths")); break;
    case 4: setWindowTitle(QStringLiteral(" Generics")); break;
    default: break;
    }
    if (m_kind == 4)
        cmdMaster[4]->setVisible(false);
    ShowAll();
    txtFind->setFocus();
}

void frmFind::selectRow(QTreeWidgetItem* row)
{
    lvData->clearSelection();
    lvData->setCurrentItem(row);
    row->setSelected(true);
    lvData->scrollToItem(row);
}

void frmFind::FillList(const QString& sql)
{
    lvData->clear();
    try {
        BusyCursor busy;
        Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        QList<QTreeWidgetItem*> rows;
        QTreeWidgetItem* currentRow = nullptr;
        int counter = 1;  // not the old 16-bit counter: a long list numbers on
        while (!rs.eof()) {
            auto* row = new QTreeWidgetItem;
            row->setText(0, QString::number(counter));
            row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
            row->setData(0, KeyRole, QStringLiteral("K") + QString::number(counter));
            row->setData(0, TagRole, rs.field(QStringLiteral("ID")).toLongLong());
            const QString description = rs.field(QStringLiteral("Description")).toString();
            row->setText(1, description);
            if (description == m_currentValue)  // the last of equal rows wins, as each re-selects
                currentRow = row;
            rows << row;
            ++counter;
            rs.moveNext();
        }
        rs.close();
        lvData->addTopLevelItems(rows);
        lvData->resizeColumnToContents(0);  // the serial number, never cut; the description takes the rest
        if (currentRow)
            selectRow(currentRow);
    } catch (const DbError& e) {
        // The list stays empty; the user sees why.
        lvData->clear();
        ShowDbError(e, this);
    }
}

void frmFind::cmdMaster_Click(int index)
{
    switch (index) {
    case 0: close(); break;
    case 1: SelectAndClose(); break;
    case 2: Filter(); break;
    case 3: ShowAll(); break;
    case 4: AddEdit(); break;
    default: break;
    }
}

void frmFind::SelectAndClose()
{
    // A list with rows but none selected is refused the same way: there is nothing to hand back.
    const QList<QTreeWidgetItem*> selected = lvData->selectedItems();
    if (lvData->topLevelItemCount() == 0 || selected.isEmpty()) {
        showInfo(this, QStringLiteral("Choose an item in above list and then click select button"));
        return;
    }
    // The whole ID: a row above 32,767 must not come back as some other (or a negative) number.
    AppState::PickedItemID = selected.first()->data(0, TagRole).toLongLong();
    AppState::PickedItemText = selected.first()->text(1);
    close();
}

void frmFind::Filter()
{
    if (txtFind->text().trimmed().isEmpty()) {
        showInfo(this, QStringLiteral("Please enter few characters of and then click on filter."));
        return;
    }
    const QString sql = pickListFilterSql(m_kind, pickListCondition(txtFind->text()));
    if (sql.isEmpty())
        return;
    FillList(sql);
    if (lvData->topLevelItemCount() == 0)
        showInfo(this, QStringLiteral("No data found"));
}

void frmFind::ShowAll()
{
    const QString sql = pickListFullSql(m_kind);
    if (!sql.isEmpty())
        FillList(sql);
}

void frmFind::AddEdit()
{
    MasterList list;
    switch (m_kind) {
    case 1: list = MasterList::DrugPackings; break;
    case 2: list = MasterList::DrugForms; break;
    case 3: list = MasterList::Strengths; break;
    default: return;
    }
    showMasterEditor(list, this);

    QString remembered;
    bool rememberedAny = false;
    if (lvData->topLevelItemCount() > 0 && !lvData->selectedItems().isEmpty()) {
        remembered = lvData->selectedItems().first()->text(1);
        rememberedAny = true;
    }
    ShowAll();

    // Step 2's list takes in what the editor added.
    if (m_step2)
        m_step2->refillList(m_kind);

    if (rememberedAny) {
        for (int i = 0; i < lvData->topLevelItemCount(); ++i) {
            if (lvData->topLevelItem(i)->text(1) == remembered) {
                selectRow(lvData->topLevelItem(i));
                break;
            }
        }
    }
}
