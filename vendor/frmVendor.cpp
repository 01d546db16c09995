#include "vendor/frmVendor.h"

#include "app/screenheading.h"
#include "app/applicationstate.h"
#include "app/busycursor.h"
#include "app/defaultinstance.h"
#include "app/focushighlight.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/statusbar.h"
#include "db/dberror.h"
#include "vendor/multilinetextbox.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString Bullet = QStringLiteral("\u25CF");

QString arrayName(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QLabel* bulletLabel(QWidget* parent)
{
    auto* bullet = new QLabel(Bullet, parent);
    QFont f = bullet->font();
    f.setPointSizeF(f.pointSizeF() * 0.7);
    bullet->setFont(f);
    return bullet;
}

} // namespace

frmVendor::frmVendor(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVendor"));
    setWindowTitle(QStringLiteral(" Vendor/Company Details"));
    buildLayout();
    Form_Load();
}

void frmVendor::buildLayout()
{
    using namespace VendorRecord;
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* menu = new QMenuBar(this);
    QAction* mnuBack = menu->addAction(QStringLiteral("&Back"));
    mnuBack->setObjectName(QStringLiteral("mnuBack"));
    QAction* mnuSave = menu->addAction(QStringLiteral("&Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    connect(mnuBack, &QAction::triggered, this, &frmVendor::mnuBack_Click);
    connect(mnuSave, &QAction::triggered, this, &frmVendor::mnuSave_Click);
    outer->setMenuBar(menu);

    auto* tBar1 = new QToolBar(this);
    tBar1->setObjectName(QStringLiteral("tBar1"));
    tBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QAction* back = tBar1->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    QAction* save = tBar1->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"));
    // The toolbar asks nothing: it does what the menu entries do.
    connect(back, &QAction::triggered, this, &frmVendor::mnuBack_Click);
    connect(save, &QAction::triggered, this, &frmVendor::mnuSave_Click);
    outer->addWidget(tBar1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 8, 14, 8);
    body->setSpacing(8);
    outer->addLayout(body, 1);

    body->addWidget(createScreenHeading(QStringLiteral("Company/Vendor Details"), QStringLiteral("lblHeading"), this));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 420);
    for (int i = 0; i < FieldCount; ++i) {
        const Field& field = fields()[static_cast<size_t>(i)];
        auto* label = new QLabel(QString::fromLatin1(field.label), this);
        label->setObjectName(arrayName("lblLabel", i));
        m_labels[static_cast<size_t>(i)] = label;
        grid->addWidget(label, i, 0, field.severalLines ? Qt::AlignTop : Qt::AlignVCenter);
        if (field.missingText) {
            auto* bullet = bulletLabel(this);
            bullet->setObjectName(arrayName("lblMandatory", i));
            grid->addWidget(bullet, i, 1, field.severalLines ? Qt::AlignTop : Qt::AlignVCenter);
        }
        QWidget* box = nullptr;
        if (field.severalLines) {
            auto* edit = new MultiLineTextBox(this);
            edit->setMaxLength(field.maxLength);
            edit->setCaptionLabel(label);
            edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
            box = edit;
            grid->addWidget(edit, i, 2);
        } else {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(field.maxLength);
            attachTextHighlight(edit, label);
            box = edit;
            if (i == CreditPeriod || i == DeliveryPeriod) {
                attachKeyFilter(edit, KeyFilter::WholeNumber);
                edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
                auto* row = new QHBoxLayout;
                row->setContentsMargins(0, 0, 0, 0);
                row->setSpacing(6);
                row->addWidget(edit);
                auto* days = new QLabel(QStringLiteral("(days)"), this);
                days->setObjectName(arrayName("lblDays", i - CreditPeriod));
                row->addWidget(days);
                grid->addLayout(row, i, 2, Qt::AlignLeft);
            } else {
                grid->addWidget(edit, i, 2);
            }
        }
        box->setObjectName(QString::fromLatin1(field.textBox));
        m_textBoxes[static_cast<size_t>(i)] = box;
    }
    // Wide enough for the caption in bold, so the focus does not shift the boxes.
    QFont bold = font();
    bold.setBold(true);
    int captionWidth = 0;
    for (const Field& field : fields())
        captionWidth = qMax(captionWidth, QFontMetrics(bold).horizontalAdvance(QString::fromLatin1(field.label)));
    grid->setColumnMinimumWidth(0, captionWidth + 4);
    body->addLayout(grid);

    auto* info0 = new QLabel(QStringLiteral("Fill the above form and click 'Save & Close' button to update vendor details"), this);
    info0->setObjectName(QStringLiteral("lblInfo(0)"));
    info0->setWordWrap(true);
    body->addWidget(info0);

    // The bullet sits in the gap that the text leaves for it.
    const QString note = QStringLiteral("All    marked fields are mandatory ");
    auto* info1 = new QLabel(note, this);
    info1->setObjectName(QStringLiteral("lblInfo(1)"));
    auto* noteBullet = bulletLabel(info1);
    noteBullet->setObjectName(QStringLiteral("lblMandatory"));
    const QFontMetrics fm(info1->font());
    const int gapStart = fm.horizontalAdvance(QStringLiteral("All "));
    const int gapWidth = fm.horizontalAdvance(QStringLiteral("  "));
    noteBullet->adjustSize();
    noteBullet->move(gapStart + (gapWidth - noteBullet->width()) / 2, (fm.height() - noteBullet->height()) / 2);
    info1->setMinimumHeight(qMax(fm.height(), noteBullet->height()));
    body->addWidget(info1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* captions[] = {"&Close without Save", "&Save && Close"};
    const char* tips[] = {"Close without saving changes", "Save changes and Close"};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(captions[i]), this);
        button->setObjectName(arrayName("cmdMaster", i));
        button->setToolTip(QString::fromLatin1(tips[i]));
        // Enter in a text box must not press a button of its own accord.
        button->setAutoDefault(false);
        button->setMinimumWidth(button->sizeHint().width() + 24);
        button->setMinimumHeight(30);
        attachButtonHighlight(button);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
        buttons->addWidget(button);
    }
    body->addLayout(buttons);

    outer->addWidget(createStatusBar(this));

    for (size_t i = 1; i < m_textBoxes.size(); ++i)
        setTabOrder(m_textBoxes[i - 1], m_textBoxes[i]);
    m_textBoxes.front()->setFocus();
    // A form of fixed size, like the paper one it replaces: no row takes up slack.
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

VendorRecord::Texts frmVendor::texts() const
{
    VendorRecord::Texts t;
    for (size_t i = 0; i < t.size(); ++i) {
        if (auto* line = qobject_cast<QLineEdit*>(m_textBoxes[i]))
            t[i] = line->text();
        else
            t[i] = static_cast<MultiLineTextBox*>(m_textBoxes[i])->text();
    }
    return t;
}

void frmVendor::setText(int field, const QString& text)
{
    QWidget* box = textBox(field);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        static_cast<MultiLineTextBox*>(box)->setText(text);
}

void frmVendor::Form_Load()
{
    {
        BusyCursor busy;
        try {
            const VendorRecord::Texts stored = VendorRecord::load(AppState::ConnectionString);
            for (int i = 0; i < VendorRecord::FieldCount; ++i)
                setText(i, stored[static_cast<size_t>(i)]);
        } catch (const DbError& error) {
            ShowDbError(error, this);
        }
    }
    RemoveCloseButton(this);
}

void frmVendor::cmdMaster_Click(int index)
{
    if (index == 0) {
        if (askConfirm(this, QStringLiteral("Do you want to close without save?")))
            mnuBack_Click();
    } else {
        mnuSave_Click();
    }
}

void frmVendor::mnuBack_Click()
{
    close();
}

void frmVendor::mnuSave_Click()
{
    using namespace VendorRecord;
    if (const std::optional<int> missing = firstMissing(texts())) {
        showMessage(this, QLatin1String(MissingFieldTitle), missingFieldText(*missing), QMessageBox::NoIcon);
        textBox(*missing)->setFocus();
        return;
    }
    Texts t = texts();
    fillEmptyPeriods(t);
    setText(CreditPeriod, t[CreditPeriod]);
    setText(DeliveryPeriod, t[DeliveryPeriod]);
    {
        BusyCursor busy;
        try {
            save(t, AppState::CurrentVendorName, AppState::ConnectionString);
        } catch (const DbError& error) {
            // Nothing was written, so the Application State keeps describing what is stored.
            ShowDbError(error, this);
            return;
        }
        AppState::CurrentVendorName = t[VendorName];
        AppState::CurrentCreditPeriod = t[CreditPeriod].toShort();
        AppState::CurrentDeliveryPeriod = t[DeliveryPeriod].toShort();
    }
    close();
}

void frmVendor::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted() && DefaultInstance<frmVendor>::existing() == this)
        DefaultInstance<frmVendor>::release();
}
