#include "masters/frmMast.h"

#include "app/menuframe.h"
#include "app/messagebox.h"
#include "app/screens.h"
#include "masters/masterlisteditor.h"
#include "masters/masterpasswords.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

struct MenuEntry {
    const char* caption;
    const char* info;
};
const MenuEntry entries[6] = {
    {"&Generic Master", "Allows to view / search / add Generics"},
    {"Drug &Form Master", "Allows to view / search / add Drug Forms"},
    {"&Strength Master", "Allows to view / search / add Drug Strength Master"},
    {"Drug &Packing (Unit of Measurement)", "Allows to view / search / add Drug Packing"},
    {"&Brand Master", "Allows to view / search / add Brands"},
    {"&Close", "Return to Previous Screen"},
};
const MasterList editors[5] = {MasterList::Generics, MasterList::DrugForms, MasterList::Strengths,
                               MasterList::DrugPackings, MasterList::Brands};

QColor grayText()
{
    return QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

} // namespace

frmMast::frmMast(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMast"));
    setWindowTitle(QStringLiteral(" Master Tables for Quillbid"));
    MenuFrame frame(this, QStringLiteral("Master Tables for Quillbid"));
    QAction* back = frame.menuBar()->addAction(QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("mnuBack"));
    connect(back, &QAction::triggered, this, &QWidget::close);

    for (int i = 0; i < 6; ++i) {
        const MenuCommand command = frame.addCommand(i, QString::fromUtf8(entries[i].caption), QString::fromUtf8(entries[i].info));
        m_buttons[i] = command.button;
        m_info[i] = command.info;
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { cmdMaster_Click(i); });
    }
    m_buttons[5]->setToolTip(QStringLiteral("Return to Previous Screen"));
    // Locked at every opening; the locked labels start greyed.
    for (int i = 0; i < 4; ++i) {
        m_buttons[i]->setEnabled(false);
        setTextColour(m_info[i], i == 0 ? grayText() : QApplication::palette().color(QPalette::Shadow));
    }

    auto* unlockRow = new QHBoxLayout;
    auto* prompt = new QLabel(QStringLiteral("Enter Password to change Master Data"), this);
    prompt->setObjectName(QStringLiteral("lblPWD"));
    unlockRow->addWidget(prompt);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPWD"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(20);
    m_password->setMinimumWidth(180);
    prompt->setBuddy(m_password);
    unlockRow->addWidget(m_password);
    auto* unlock = new QPushButton(QStringLiteral("Unlock"), this);
    unlock->setObjectName(QStringLiteral("cmdUnlock"));
    unlock->setFont(QFont(QStringLiteral("Arial Narrow")));
    unlock->setAutoDefault(false);
    connect(unlock, &QPushButton::clicked, this, &frmMast::cmdUnlock_Click);
    unlockRow->addWidget(unlock);
    unlockRow->addStretch();
    frame.addBelow(unlockRow);

    const char* help[] = {
        "1. You can add data in above code tables in case required information is not available in our tables",
        "2. In case you want to add new generic, drug form, strength or drug packing, please contact tender helpline numbers."};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QLabel(QString::fromUtf8(help[i]), this);
        line->setObjectName(QStringLiteral("lblHelp(%1)").arg(i));
        line->setWordWrap(true);
        frame.addBelow(line);
    }
    resize(760, 460);
}

void frmMast::cmdMaster_Click(int index)
{
    if (index == 5) {
        close();
        return;
    }
    showMasterEditor(editors[index], this);
}

void frmMast::cmdUnlock_Click()
{
    const auto unlocked = unlockedEditors(m_password->text());
    if (!unlocked) {
        showInfo(this, QStringLiteral("Please enter correct password.") + QStringLiteral("\r\n\r\n") +
                           QStringLiteral("In case you want to add new Generic, drug form, strength or drug packing, "
                                          "please contact software helpline numbers."));
        return;
    }
    // Every one of the eight properties is set, so a later password replaces an earlier one.
    for (int i = 0; i < 4; ++i) {
        m_buttons[i]->setEnabled((*unlocked)[i]);
        setTextColour(m_info[i], (*unlocked)[i] ? QColor(Qt::black) : grayText());
    }
}
