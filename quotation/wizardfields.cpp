#include "quotation/wizardfields.h"

#include "quotation/step2access.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace {

QWidget* topLevel(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace

QString step1SelectedBrandColumn(int column)
{
    QWidget* step1 = topLevel(QStringLiteral("frmQ1"));
    if (!step1)
        return QString();
    auto* brands = step1->findChild<QAbstractItemView*>(QStringLiteral("lvBrands"));
    if (!brands || !brands->selectionModel())
        return QString();
    const QModelIndexList selected = brands->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return QString();
    return brands->model()->index(selected.first().row(), column).data().toString();
}

QLineEdit* step2LineEdit(const QString& name)
{
    QWidget* step2 = step2Window();
    return step2 ? step2->findChild<QLineEdit*>(name) : nullptr;
}

QComboBox* step2Combo(const QString& name)
{
    QWidget* step2 = step2Window();
    return step2 ? step2->findChild<QComboBox*>(name) : nullptr;
}

QString step2Text(const QString& name)
{
    QLineEdit* edit = step2LineEdit(name);
    return edit ? edit->text() : QString();
}

void setStep2Text(const QString& name, const QString& text)
{
    QLineEdit* edit = step2LineEdit(name);
    if (!edit)
        return;
    // QLineEdit cuts programmatic text at its limit, which would hand back a wrong figure.
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
}

bool selectStep2Entry(const QString& listName, const QString& parallelName, const QString& text)
{
    QComboBox* list = step2Combo(listName);
    if (!list)
        return false;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == text) {
            list->setCurrentIndex(i);
            if (QComboBox* parallel = step2Combo(parallelName))
                parallel->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}
