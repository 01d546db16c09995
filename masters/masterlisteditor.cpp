#include "masters/masterlisteditor.h"

#include "app/screenheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/editmodeblink.h"
#include "app/focushighlight.h"
#include "app/messagebox.h"
#include "app/textboxkeyfilter.h"
#include "app/recordlistview.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "app/screenconventions.h"
#include "db/dberror.h"
#include "masters/frmBrands.h"
#include "masters/masterlistrules.h"
#include "output/frmHTML.h"
#include "sheets/modelsheet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString Yes = QStringLiteral("Yes");

QString arrayName(const QString& name, int index)
{
    return name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

} // namespace

MasterListEditor::MasterListEditor(MasterList list, QWidget* parent)
    : QDialog(parent), m_kind(masterListKind(list))
{
    setObjectName(m_kind.objectName);
    buildScreen();
    Form_Load();
}

void MasterListEditor::buildScreen()
{
    setWindowTitle(m_kind.openCaption);
    auto* outer = new QVBoxLayout(this);

    auto* menu = new QMenuBar(this);
    const std::pair<const char*, const char*> entries[] = {
        {"mnuBack", "&Back"}, {"mnuFilter", "&Filter"}, {"mnuShowAll", "Show &all"}, {"mnuSave", "&Save"},
        {"mnuPrint", "&Print"}, {"mnuHtml", "&Html"}, {"mnuExcel", "&Excel"}};
    for (const auto& [name, caption] : entries)
        menu->addAction(QString::fromUtf8(caption))->setObjectName(QString::fromUtf8(name));
    outer->setMenuBar(menu);

    outer->addWidget(createScreenHeading(m_kind.heading, QStringLiteral("Label1"), this));

    auto* top = new QHBoxLayout;
    m_fieldGrid = new QGridLayout;
    for (size_t i = 0; i < m_kind.fields.size(); ++i) {
        const MasterField& f = m_kind.fields[i];
        const int row = static_cast<int>(i);
        auto* caption = new QLabel(f.caption, this);
        m_fieldGrid->addWidget(caption, row, 0);
        QWidget* control = nullptr;
        if (f.control == MasterField::Control::TextBox) {
            auto* edit = new QLineEdit(this);
            attachTextHighlight(edit);
            if (f.keyFilter)
                attachKeyFilter(edit, *f.keyFilter);
            control = edit;
        } else {
            auto* combo = new QComboBox(this);
            attachComboHighlight(combo);
            control = combo;
        }
        control->setObjectName(f.objectName);
        control->setFixedWidth(f.check == MasterField::Check::Numeric ? 120 : 380);
        caption->setBuddy(control);
        // The control, its suffix ("%") and any button of its own sit together on the row.
        auto* line = new QHBoxLayout;
        line->addWidget(control);
        if (!f.suffix.isEmpty())
            line->addWidget(new QLabel(f.suffix, this));
        line->addStretch();
        m_fieldGrid->addLayout(line, row, 1);
        m_fieldRows << line;
        m_fieldControls << control;
    }
    m_fieldGrid->setColumnStretch(1, 1);
    top->addLayout(m_fieldGrid, 1);

    if (!m_kind.hintLines.empty()) {
        auto* hints = new QVBoxLayout;
        for (const auto& line : m_kind.hintLines) {
            auto* row = new QHBoxLayout;
            for (const MasterHint& hint : line) {
                auto* label = new QLabel(hint.text, this);
                label->setObjectName(hint.objectName);
                row->addWidget(label);
            }
            row->addStretch();
            hints->addLayout(row);
        }
        hints->addStretch();
        top->addLayout(hints);
    }
    outer->addLayout(top);

    // Close sits apart at the right end of the row; the other buttons go before the stretch.
    m_buttonRow = new QHBoxLayout;
    m_buttonRow->addStretch();
    auto* close = new QPushButton(m_kind.buttonCaptions.at(0), this);
    close->setObjectName(arrayName(QStringLiteral("cmdMaster"), 0));
    close->setToolTip(m_kind.tooltips.at(0));
    close->setAutoDefault(false);
    attachButtonHighlight(close);
    m_buttonRow->addWidget(close);
    outer->addLayout(m_buttonRow);
    for (int i = 1; i < 4; ++i)
        addButton(i, m_kind.buttonCaptions.at(i), m_kind.tooltips.at(i));

    m_list = new RecordListView(m_kind.listObjectName, m_kind.listHeaders, QStringLiteral("K"), QString(), this);
    m_list->setStretchColumn(1);
    if (m_kind.highlightList)
        attachListHighlight(m_list);
    outer->addWidget(m_list, 1);

    for (int i = 0; i < m_kind.infoLines.size(); ++i) {
        auto* info = new QLabel(m_kind.infoLines.at(i), this);
        info->setObjectName(arrayName(QStringLiteral("lblInfo"), i));
        info->setWordWrap(true);
        outer->addWidget(info);
    }
    outer->addWidget(createStatusBar(this));

    m_blink = new EditModeBlink(this, m_kind.plainTitle);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(findChild<QPushButton*>(arrayName(QStringLiteral("cmdMaster"), 1)), &QPushButton::clicked, this, [this] {
        runFilter(masterFilterSql(m_kind, fieldValues()), m_kind.filter.emptyRefusal);
    });
    for (QWidget* box : m_fieldControls)
        pressOnReturn(box, findChild<QPushButton*>(arrayName(QStringLiteral("cmdMaster"), 1)));
    connect(findChild<QPushButton*>(arrayName(QStringLiteral("cmdMaster"), 2)), &QPushButton::clicked, this,
            &MasterListEditor::showAll);
    connect(findChild<QPushButton*>(arrayName(QStringLiteral("cmdMaster"), 3)), &QPushButton::clicked, this,
            &MasterListEditor::SaveMasterEntry);
    connect(findChild<QAction*>(QStringLiteral("mnuBack")), &QAction::triggered, this, &QWidget::close);
    connect(findChild<QAction*>(QStringLiteral("mnuFilter")), &QAction::triggered,
            findChild<QPushButton*>(arrayName(QStringLiteral("cmdMaster"), 1)), &QPushButton::click);
    connect(findChild<QAction*>(QStringLiteral("mnuShowAll")), &QAction::triggered, this, &MasterListEditor::showAll);
    connect(findChild<QAction*>(QStringLiteral("mnuSave")), &QAction::triggered, this, &MasterListEditor::SaveMasterEntry);
    connect(findChild<QAction*>(QStringLiteral("mnuPrint")), &QAction::triggered, this, [this] { showReportPrinting(this); });
    connect(findChild<QAction*>(QStringLiteral("mnuHtml")), &QAction::triggered, this, [this] { showExportScreen(this); });
    connect(findChild<QAction*>(QStringLiteral("mnuExcel")), &QAction::triggered, this, [this] {
        exportWorkbook(this, m_kind.heading + QStringLiteral(".xlsx"),
                       [this] { return Sheets::sheetFromModel(*m_list->rows(), m_kind.heading); });
    });
    // Any click in the list ends edit mode, on an entry or not.
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &RecordListView::rowDoubleClicked, this, [this] { enterEditMode(); });

    // Tall enough for the brands' extra hints and seven information lines to leave the list room.
    resize(1060, 560 + 20 * (m_kind.infoLines.size() + static_cast<int>(m_kind.hintLines.size())));
}

QPushButton* MasterListEditor::addButton(int index, const QString& caption, const QString& tooltip)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(arrayName(QStringLiteral("cmdMaster"), index));
    if (!tooltip.isEmpty())
        button->setToolTip(tooltip);
    button->setAutoDefault(false);
    attachButtonHighlight(button);
    m_buttonRow->insertWidget(m_buttonRow->count() - 2, button);
    return button;
}

void MasterListEditor::Form_Load()
{
    AppState::MasterEditMode = false;
    if (auto* combo = dropDown()) {
        combo->addItem(QString());
        try {
            BusyCursor busy;
            for (const auto& [text, id] : readDropDownItems(m_kind.comboSql))
                combo->addItem(text, m_kind.comboCarriesId ? id : QVariant());
        } catch (const DbError& e) {
            ShowDbError(e, this);
        }
        combo->setCurrentIndex(-1);
    }
    LoadMasterList(m_kind.listSql());
}

QComboBox* MasterListEditor::dropDown() const
{
    for (QWidget* w : m_fieldControls)
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo;
    return nullptr;
}

QStringList MasterListEditor::fieldValues() const
{
    QStringList values;
    for (QWidget* w : m_fieldControls) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            values << edit->text();
        else
            values << static_cast<QComboBox*>(w)->currentText();
    }
    return values;
}

void MasterListEditor::setFieldValue(int field, const QString& value)
{
    QWidget* w = m_fieldControls.at(field);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = static_cast<QComboBox*>(w); value.isEmpty())
        combo->setCurrentIndex(-1);
    else
        combo->setCurrentIndex(combo->findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

bool MasterListEditor::LoadMasterList(const QString& sql)
{
    MasterRows rows;
    try {
        BusyCursor busy;
        rows = readMasterRows(m_kind, sql);
    } catch (const DbError& e) {
        // The list keeps what it showed.
        ShowDbError(e, this);
        return false;
    }
    m_list->rows()->setRecords(std::move(rows.records), std::move(rows.columns), rows.idField);
    return true;
}

void MasterListEditor::runFilter(const QString& sql, const QString& refusal)
{
    if (sql.isEmpty()) {
        showInfo(this, refusal);
        return;
    }
    leaveEditMode();
    if (LoadMasterList(sql) && m_list->rowCount() == 0)
        showInfo(this, QStringLiteral("No data found"));
}

void MasterListEditor::showAll()
{
    leaveEditMode();
    LoadMasterList(m_kind.listSql());
}

void MasterListEditor::leaveEditMode()
{
    if (!AppState::MasterEditMode)
        return;
    AppState::MasterEditMode = false;
    AppState::MasterEditKey = QString();
    m_blink->stop();
}

void MasterListEditor::fillFieldsFrom(int row)
{
    for (size_t i = 0; i < m_kind.fields.size(); ++i)
        setFieldValue(static_cast<int>(i), m_list->text(row, m_kind.listColumns.indexOf(m_kind.fields[i].column) + 1));
}

void MasterListEditor::enterEditMode()
{
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedRow() != row)
        return;
    const QString key = (m_kind.keyFrom == MasterListKind::KeyFrom::Code ? m_list->text(row, 0)
                                                                          : m_list->rows()->tag(row).toString())
                            .trimmed();
    if (key.isEmpty()) {
        if (!m_kind.missingKey.isEmpty())
            showInfo(this, m_kind.missingKey);
        return;
    }
    const QString description = m_list->text(row, 1);
    if (m_list->text(row, m_kind.listHeaders.size() - 1) != Yes) {
        if (!m_kind.offerSimilar)
            showInfo(this, m_kind.hospitalEntry);
        else if (showMessage(this, QStringLiteral("Info"), m_kind.hospitalEntry.arg(description), QMessageBox::Question,
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
            fillFieldsFrom(row);
        return;
    }
    bool used = false;
    try {
        BusyCursor busy;
        used = usedInQuotation(m_kind, description);
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    if (used) {
        showMessage(this, QStringLiteral("Cannot modify"), m_kind.usedInQuotation.arg(description),
                    QMessageBox::Information);
        return;
    }
    fillFieldsFrom(row);
    AppState::MasterEditKey = key;
    AppState::MasterEditMode = true;
    m_blink->start();
    setWindowTitle(m_kind.editStartCaption);
    m_fieldControls.first()->setFocus();
}

void MasterListEditor::selectOnly(int row)
{
    m_list->selectRow(row);
    m_list->setFocus();
}

void MasterListEditor::SaveMasterEntry()
{
    const bool editing = AppState::MasterEditMode;
    QStringList values = fieldValues();
    MasterSaveResult result;
    try {
        BusyCursor busy;
        result = saveMasterEntry(m_kind, values, editing, AppState::MasterEditKey.toString(),
                                 [this](const QString& question) { return askConfirm(this, question, true); });
    } catch (const DbError& e) {
        ShowDbError(e, this);
        return;
    }
    for (size_t i = 0; i < m_kind.fields.size(); ++i)
        if (m_kind.fields[i].trimOnSave)
            setFieldValue(static_cast<int>(i), values.at(static_cast<int>(i)));

    if (result.outcome == MasterSaveResult::Outcome::Declined)
        return;
    if (result.outcome == MasterSaveResult::Outcome::Refused) {
        if (result.focusField >= 0)
            m_fieldControls.at(result.focusField)->setFocus();
        showInfo(this, result.message);
        return;
    }

    int row = -1;
    if (result.added) {
        QStringList texts(m_kind.listHeaders.size());
        texts.first() = result.newCode;
        texts.last() = Yes;
        row = m_list->rows()->appendRow(texts, result.newId.isNull() ? QVariant() : result.newId);
    } else {
        row = m_list->currentRow();
    }
    if (row >= 0) {
        for (int c = 0; c < m_kind.listColumns.size(); ++c) {
            const int field = m_kind.fieldOf(m_kind.listColumns.at(c));
            m_list->rows()->setText(row, c + 1, field >= 0 ? values.at(field) : result.description);
        }
    }
    for (int i = 0; i < m_fieldControls.size(); ++i)
        setFieldValue(i, QString());
    if (row >= 0) {
        selectOnly(row);
        const QString& message = result.added ? m_kind.addedMessage : m_kind.modifiedMessage;
        if (!message.isEmpty())
            showInfo(this, message.arg(m_list->text(row, 1)));
    }
    if (editing)
        leaveEditMode();
}

bool MasterListEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress)
        leaveEditMode();
    return QDialog::eventFilter(watched, event);
}

void MasterListEditor::closeEvent(QCloseEvent* event)
{
    // Edit mode ends with the screen; the flag itself stays until the next master screen opens.
    m_blink->stop();
    event->accept();
    QDialog::closeEvent(event);
}

MasterListEditor* createMasterEditor(MasterList list, QWidget* parent)
{
    if (list == MasterList::Brands)
        return new frmBrands(parent);
    return new MasterListEditor(list, parent);
}
