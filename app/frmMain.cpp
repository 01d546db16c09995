#include "app/frmMain.h"

#include "app/applicationstate.h"
#include "app/bidprogress.h"
#include "app/brandtrim.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/messagebox.h"
#include "app/screens.h"
#include "app/statusbar.h"
#include "db/dberror.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

namespace {

struct MenuButton {
    const char* caption;
    const char* info;
    bool shown;
    bool enabled;
};

// Indexed as cmdMaster and lblInfo. The lists behind 1 to 5 are reached through the master tables
// menu, and the quantity screen (8) is kept out of sight; their buttons stay, hidden, with their actions.
const MenuButton Buttons[frmMain::ButtonCount] = {
    {"Company/&Vendor Details", "Enter your company details", true, true},
    {"&Generic Master", "Allows to view all generics. You can also create new generic using this option", false, false},
    {"Drug &Form", "Allows to view all drug forms. You can also create new drug forms using this option", false, false},
    {"&Strength Master", "Allows to view all strengths. You can also create new drug strength using this option", false, false},
    {"Drug &Packing (Unit of Measurement)", "Allows to view all drug packings. You can also create new drug packing using this option", false, false},
    {"&Brands", "Click this button to create brands that you deal", false, true},
    {"Enter &Quotation", "Click this button to enter your quotation", true, true},
    {"&View/Edit/Print/Export Quoted Items", "Click to view, edit, print, export what you have entered for submission to KLMT", true, true},
    {"Quantity Required Per Year", "Click this button for quantity required per year by KLMT", false, true},
    {"E&xit", "To exit pharmacy quillbid click here", true, true},
    {"Master Tables", "Click to view, search or add new generics, drug forms, strength, packing and brands", true, true},
};

// The visible buttons, top to bottom.
const int VisibleOrder[] = {0, 6, 7, 10, 9};
constexpr int ExitIndex = 9;

const char* Instructions[] = {
    "For each item specify its brand name, generic name, manufacturer, HSN code, packing, drug form, drug strength, cost price, discount, MRP and tax details",
    "The generics/brands in the list provided with Quillbid are based on the current procurement of the KLMT. The companies/vendors can quote substitutes with their brand, generic, drug form and strength details.",
    "Companies/vendors can quote new brands that does not exist in the provided list",
    "In case, an item being quoted comes in different Drug Forms and Strengths quote it for all variants separately along with their cost price and MRP.",
    "The generics/brands displayed are indicative and based on the present consumption. The similar items with any standard brand can be added and quoted by the vendor",
    "The Tender has been called for Generic Drugs. You are advised to quote rates for Generic Medicines only.",
};

QString arrayName(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QPixmap hospitalEmblem(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 110, 90));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    const qreal arm = size * 0.18;
    const qreal length = size * 0.62;
    const qreal c = size / 2.0;
    QPainterPath cross;
    cross.addRect(c - arm / 2, c - length / 2, arm, length);
    cross.addRect(c - length / 2, c - arm / 2, length, arm);
    cross.setFillRule(Qt::WindingFill);
    p.setBrush(Qt::white);
    p.drawPath(cross.simplified());
    return pixmap;
}

QFrame* rule(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_QuitOnClose, true);
    buildLayout();
    setStatusBar(createStatusBar(this, true));
    resize(1000, 600);
    Form_Load();
}

void frmMain::buildLayout()
{
    auto* central = new QWidget(this);
    auto* page = new QVBoxLayout(central);
    page->setContentsMargins(16, 12, 16, 8);
    page->setSpacing(6);

    m_lblTenderDuration = new QLabel(central);
    m_lblTenderDuration->setObjectName(QStringLiteral("lblTenderDuration"));
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(18);
    title.setBold(true);
    m_lblTenderDuration->setFont(title);
    m_lblTenderDuration->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = m_lblTenderDuration->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 51, 128));
    m_lblTenderDuration->setPalette(titlePalette);
    page->addWidget(m_lblTenderDuration);

    m_lblVendor = new QLabel(central);
    m_lblVendor->setObjectName(QStringLiteral("lblVendor"));
    QFont vendorFont = m_lblVendor->font();
    vendorFont.setPointSizeF(vendorFont.pointSizeF() + 2);
    vendorFont.setBold(true);
    m_lblVendor->setFont(vendorFont);
    m_lblVendor->setAlignment(Qt::AlignCenter);
    m_lblVendor->setVisible(false);
    page->addWidget(m_lblVendor);
    m_lblProgress = new QLabel(central);
    m_lblProgress->setObjectName(QStringLiteral("lblProgress"));
    m_lblProgress->setAlignment(Qt::AlignCenter);
    page->addWidget(m_lblProgress);
    page->addWidget(rule(central, QStringLiteral("Line1")));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    columns->addWidget(buildInstructions(central), 1);
    auto* divider = new QFrame(central);
    divider->setObjectName(QStringLiteral("Line2"));
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    columns->addWidget(divider);
    columns->addWidget(buildButtons(central), 0);
    page->addLayout(columns, 1);

    page->addWidget(rule(central, QStringLiteral("Line3")));
    m_lblHelpline1 = new QLabel(central);
    m_lblHelpline1->setObjectName(QStringLiteral("lblHelpline1"));
    m_lblHelpline = new QLabel(central);
    m_lblHelpline->setObjectName(QStringLiteral("lblHelpline"));
    for (QLabel* helpline : {m_lblHelpline1, m_lblHelpline}) {
        QFont f = helpline->font();
        f.setBold(true);
        helpline->setFont(f);
        helpline->setAlignment(Qt::AlignCenter);
        page->addWidget(helpline);
    }
    setCentralWidget(central);
}

QWidget* frmMain::buildInstructions(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    auto* head = new QHBoxLayout;
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(hospitalEmblem(72));
    head->addWidget(picture, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    auto* hospital = new QLabel(QStringLiteral("KELMONT HOSPITAL "), panel);
    hospital->setObjectName(QStringLiteral("lblHospital"));
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSize(16);
    verdana.setBold(true);
    hospital->setFont(verdana);
    names->addWidget(hospital);
    auto* address = new QLabel(QStringLiteral("14 Shivaji Road, Pune 411005, Maharashtra"), panel);
    address->setObjectName(QStringLiteral("lblAddress"));
    verdana.setPointSize(10);
    verdana.setBold(false);
    address->setFont(verdana);
    names->addWidget(address);
    names->addStretch();
    head->addLayout(names, 1);
    layout->addLayout(head);
    layout->addWidget(rule(panel, QStringLiteral("Line4")));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    const int count = static_cast<int>(std::size(Instructions));
    for (int i = 0; i < count; ++i) {
        auto* text = new QLabel(QString::fromLatin1(Instructions[i]), panel);
        text->setObjectName(arrayName("lblInstruction", i));
        text->setWordWrap(true);
        const bool advice = i == count - 1;  // the closing advice stands out instead of being one more bullet
        if (advice) {
            QFont f = text->font();
            f.setBold(true);
            text->setFont(f);
            QPalette p = text->palette();
            p.setColor(QPalette::WindowText, QColor(160, 0, 0));
            text->setPalette(p);
            grid->addWidget(text, i, 0, 1, 2);
        } else {
            auto* bullet = new QLabel(QStringLiteral("\u25CF"), panel);
            bullet->setObjectName(arrayName("lblBullet", i));
            grid->addWidget(bullet, i, 0, Qt::AlignTop);
            grid->addWidget(text, i, 1);
        }
    }
    layout->addLayout(grid);
    layout->addStretch();
    return panel;
}

QWidget* frmMain::buildButtons(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);

    const auto makeCommand = [panel](const QString& caption, const QString& name, const QString& text,
                                     const QString& infoName, bool enabled, bool shown) {
        auto* button = new QPushButton(caption, panel);
        button->setObjectName(name);
        button->setMinimumSize(280, 44);
        button->setAutoDefault(false);
        button->setEnabled(enabled);
        button->setVisible(shown);
        auto* info = new QLabel(text, panel);
        info->setObjectName(infoName);
        info->setWordWrap(true);
        info->setVisible(shown);
        // Room for the explanation at its focused size (a point larger and bold, with a border), so the
        // column does not jump as the focus moves.
        QFont big = info->font();
        big.setPointSizeF(big.pointSizeF() + 1);
        big.setBold(true);
        const int width = 250;
        info->setFixedWidth(width);
        const QRect needed = QFontMetrics(big).boundingRect(QRect(0, 0, width - 8, 1000), Qt::TextWordWrap, info->text());
        info->setMinimumHeight(qMax(44, needed.height() + 6));
        attachButtonWithInfoLabel(button, info);
        return std::pair{button, info};
    };
    for (int i = 0; i < ButtonCount; ++i) {
        const auto [button, info] = makeCommand(QString::fromLatin1(Buttons[i].caption), arrayName("cmdMaster", i),
                                                QString::fromLatin1(Buttons[i].info), arrayName("lblInfo", i),
                                                Buttons[i].enabled, Buttons[i].shown);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        m_cmdMaster[i] = button;
        m_lblInfo[i] = info;
    }
    // Added after the original commands, so their indexes stay as they were.
    const auto [readiness, readinessInfo] =
        makeCommand(QStringLiteral("Bid &Readiness"), QStringLiteral("cmdReadiness"),
                    QStringLiteral("See which required lines are not quoted yet, what the bid is worth and what could "
                                   "disqualify it; prepare the copy to hand over"),
                    QStringLiteral("lblReadinessInfo"), true, true);
    connect(readiness, &QPushButton::clicked, this, &frmMain::cmdReadiness_Click);
    // On screen and in the Tab order it stands before Exit, the way out that ends every menu.
    std::vector<QPushButton*> order;
    std::vector<QLabel*> infos;
    for (int index : VisibleOrder) {
        if (index == ExitIndex) {
            order.push_back(readiness);
            infos.push_back(readinessInfo);
        }
        order.push_back(m_cmdMaster[index]);
        infos.push_back(m_lblInfo[index]);
    }
    int row = 0;
    for (size_t i = 0; i < order.size(); ++i, ++row) {
        layout->addWidget(order[i], row, 0, Qt::AlignTop);
        layout->addWidget(infos[i], row, 1, Qt::AlignTop);
        if (i > 0)
            setTabOrder(order[i - 1], order[i]);
    }
    layout->setRowStretch(row, 1);

    auto* trim = new QPushButton(QStringLiteral("Trim"), panel);
    trim->setObjectName(QStringLiteral("Command1"));
    trim->setAutoDefault(false);
    trim->setVisible(false);
    connect(trim, &QPushButton::clicked, this, &frmMain::Command1_Click);
    return panel;
}

void frmMain::Form_Load()
{
    showVendorLabel();
    setWindowTitle(QStringLiteral(" Kelmont Hospital, ") + AppState::CurrentTenderDuration + QStringLiteral(" Submission Software"));
    m_lblTenderDuration->setText(AppState::CurrentTenderDuration);
    m_lblHelpline1->setText(AppState::CurrentTenderDuration + QStringLiteral(" Helpline Numbers: 020-55501001, 020-55501002"));
    m_lblHelpline->setText(AppState::CurrentTenderDuration + QStringLiteral(" Software Helpline Numbers: 020-55501003, 020-55501004"));
}

void frmMain::showVendorLabel()
{
    if (AppState::CurrentVendorName.isEmpty())
        return;
    m_lblVendor->setText(QStringLiteral("Vendor: ") + AppState::CurrentVendorName);
    m_lblVendor->setVisible(true);
}

bool frmMain::vendorGuard(bool editing)
{
    if (!AppState::CurrentVendorName.isEmpty())
        return true;
    showInfo(this, editing ? QStringLiteral("Please enter vendor details before editing quotation")
                           : QStringLiteral("Please enter vendor details before entering quotation"));
    return false;
}

void frmMain::cmdMaster_Click(int index)
{
    switch (index) {
    case 0:
        showVendorDetails(this);
        // The form has refreshed the Application State if it saved.
        showVendorLabel();
        showProgress();
        break;
    case 1: showMasterEditor(MasterList::Generics, this); break;
    case 2: showMasterEditor(MasterList::DrugForms, this); break;
    case 3: showMasterEditor(MasterList::Strengths, this); break;
    case 4: showMasterEditor(MasterList::DrugPackings, this); break;
    case 5:
        if (vendorGuard(false))
            showMasterEditor(MasterList::Brands, this);
        break;
    case 6:
        if (vendorGuard(false)) {
            hide();
            AppState::WizardFromMainMenu = true;
            startQuotationWizard();
        }
        break;
    case 7:
        if (vendorGuard(true)) {
            hide();
            showQuotedItemsList();
        }
        break;
    case 8: showQtyPerYear(this); break;
    case 9: close(); break;
    case 10:
        if (vendorGuard(false))
            showMasterTablesMenu(this);
        break;
    default: break;
    }
}

void frmMain::cmdReadiness_Click()
{
    if (vendorGuard(false))
        showReadiness(this);
}

void frmMain::Command1_Click()
{
    BusyCursor busy;
    try {
        trimBrandTexts(AppState::ConnectionString);
    } catch (const DbError& error) {
        ShowDbError(error, this);
    }
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The main menu comes back after the wizard and the quoted-items list: the count may have changed.
    showProgress();
}

void frmMain::showProgress()
{
    if (AppState::CurrentVendorName.isEmpty()) {
        m_lblProgress->clear();
        return;
    }
    try {
        m_lblProgress->setText(progressText(readBidProgress(AppState::ConnectionString)));
    } catch (const DbError&) {
        // The count is a courtesy of the menu, read each time it comes back; a database that cannot
        // be read says so in the error box of the screen the vendor opens next, not in a box of its own
        // every time the menu reappears.
        m_lblProgress->clear();
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    DefaultInstance<frmMain>::release();
}
