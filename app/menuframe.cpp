#include "app/menuframe.h"

#include "app/focushighlight.h"
#include "app/screenheading.h"
#include "app/statusbar.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Where the spare height of the content below the commands sits: its last item, or the end when a
// stretching widget has taken it.
int spareAt(QVBoxLayout* layout)
{
    const int last = layout->count() - 1;
    return last >= 0 && layout->itemAt(last)->spacerItem() ? last : layout->count();
}

} // namespace

MenuCommand createMenuCommand(QWidget* parent, int index, const QString& caption, const QString& info)
{
    MenuCommand command;
    command.button = new QPushButton(caption, parent);
    command.button->setObjectName(QStringLiteral("cmdMaster(%1)").arg(index));
    command.button->setMinimumSize(300, 30);
    // Return in a text box of the screen must not press a command the clerk never chose.
    command.button->setAutoDefault(false);
    command.info = new QLabel(info, parent);
    command.info->setObjectName(QStringLiteral("lblInfo(%1)").arg(index));
    command.info->setMinimumWidth(380);
    attachButtonWithInfoLabel(command.button, command.info);
    return command;
}

MenuFrame::MenuFrame(QWidget* screen, const QString& heading, const QString& headingName) : m_screen(screen)
{
    m_layout = new QVBoxLayout(screen);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_body = new QWidget(screen);
    auto* bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(24, 16, 24, 16);
    bodyLayout->setSpacing(10);
    if (!heading.isEmpty()) {
        m_heading = createScreenHeading(heading, headingName, m_body);
        bodyLayout->addWidget(m_heading);
    }
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(16);
    m_grid->setVerticalSpacing(8);
    m_grid->setColumnStretch(1, 1);
    bodyLayout->addLayout(m_grid);
    m_below = new QVBoxLayout;
    m_below->setSpacing(8);
    bodyLayout->addLayout(m_below, 1);
    m_below->addStretch(1);
    m_layout->addWidget(m_body, 1);

    m_statusBar = createStatusBar(screen);
    m_layout->addWidget(m_statusBar);
}

QMenuBar* MenuFrame::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(m_screen);
        m_layout->setMenuBar(m_menuBar);
    }
    return m_menuBar;
}

QToolBar* MenuFrame::toolBar()
{
    if (!m_toolBar) {
        m_toolBar = new QToolBar(m_screen);
        m_toolBar->setObjectName(QStringLiteral("tBar1"));
        m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_layout->insertWidget(0, m_toolBar);
    }
    return m_toolBar;
}

MenuCommand MenuFrame::addCommand(int index, const QString& caption, const QString& info)
{
    const MenuCommand command = createMenuCommand(m_body, index, caption, info);
    m_grid->addWidget(command.button, m_rows, 0);
    m_grid->addWidget(command.info, m_rows, 1);
    ++m_rows;
    return command;
}

void MenuFrame::addBelow(QWidget* widget, int stretch)
{
    if (stretch > 0 && spareAt(m_below) < m_below->count())
        delete m_below->takeAt(spareAt(m_below));
    m_below->insertWidget(spareAt(m_below), widget, stretch);
}

void MenuFrame::addBelow(QLayout* layout)
{
    m_below->insertLayout(spareAt(m_below), layout);
}
