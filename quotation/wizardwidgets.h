#pragma once

#include "quotation/quotationchecks.h"

#include <QLabel>
#include <functional>

class QComboBox;
class QIcon;
class QLineEdit;
class QPushButton;

// Small pieces the wizard's screens are built from and wired with.

// The button-face background of the read-only boxes.
void greyOut(QWidget* w);
// A text box with its name and length limit.
QLineEdit* namedField(QWidget* parent, const char* name, int maxLength = 32767);
// A caption label, named when it belongs to a label array ("lblPacking(3)"). It keeps the width of its
// first caption whatever text it is given later: a longer one is elided, its whole text in the tooltip,
// so a long packing name never widens the window or moves a field.
QLabel* captionLabel(QWidget* parent, const QString& caption, const QString& name = QString());
// The picture button of the cost and MRP calculators: a small calculator drawn in code.
QPushButton* calculatorButton(QWidget* parent, const char* name, const char* tooltip);

// Runs `handler` when the user leaves `field`, or enters it. The focus going to another window (a
// message box) or to a list popping up is neither.
void whenLeft(QWidget* field, std::function<void()> handler);
void whenEntered(QWidget* field, std::function<void()> handler);
// Ends every such handler below `screen`: its destructor calls this, so that fields losing the focus as
// they go do not run handlers of a screen that is half gone.
void stopWatching(QWidget* screen);
// A drop-down that only shows what another control chose: mouse, wheel and keys (but Tab) do nothing,
// yet it can hold the focus that a check gives it.
void lockDropDown(QComboBox* box);

// The entry of `partner` at the index selected in `list` (the number that belongs to the chosen entry
// of a parallel list pair); empty when nothing is selected.
QString partnerEntry(const QComboBox* list, const QComboBox* partner);
// Selects the first entry equal to `value` (and the same index in `partner`); false, with both as they
// were, when no entry is equal.
bool selectByText(QComboBox* list, const QString& value, QComboBox* partner = nullptr);
// Writes a handed-back figure whole: a box's length limit is there for typing only.
void setWhole(QLineEdit* edit, const QString& text);

// Shows a failed check as it asks: its box, and the focus moved to `focus` (its field's control) before
// or after the box.
void showFailure(QWidget* screen, const QuotationChecks::Failure& failure, QWidget* focus);

// A small red tag over the tail of its owner's caption ("without Tax"); it follows the owner as it
// moves or resizes, and place() puts it back after the owner's text changed.
class ElidedCaption : public QLabel
{
public:
    ElidedCaption(const QString& caption, QWidget* parent);
    // The width the text takes on screen: the whole text, or the elided text when it is cut.
    int shownTextWidth() const;
    // The size of the first caption, whatever the text is now: the layout never moves for a new text.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool elided() const;
    QSize m_hint;
};

class TagLabel : public QLabel
{
public:
    TagLabel(QLabel* owner, const QString& name, const QString& text);
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_owner;
};
