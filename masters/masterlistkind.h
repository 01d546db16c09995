#pragma once

#include "app/keyfilter.h"
#include "masters/masterlist.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What tells one reference list apart from another. Every reference-list screen is the same editor;
// it reads its table, texts, SQL and the few behaviours that differ from one of these descriptions.

// One editable field of an entry: a text box or a drop-down box, bound to one column of the table.
struct MasterField {
    enum class Control { TextBox, DropDown };
    enum class Check { NotEmpty, Numeric };

    Control control = Control::TextBox;
    QString objectName;            // txtGenericDescription, cboDrugPacking, ...
    QString caption;               // the label before it
    QString suffix;                // a label after it ("%"), or empty
    QString column;                // the table column it writes and the list column it is loaded from
    std::optional<KeyFilter> keyFilter;
    bool trimOnSave = false;       // trimmed and written back before the check (the names)
    Check check = Check::NotEmpty;
    QString refusal;               // the Info text when the check fails
    bool partOfUniqueKey = false;  // an entry is unique by these fields together
    bool numberInSql = false;      // spliced bare (after validation) rather than between quotes
};

// A word filter: every non-empty word of one field becomes a `like` condition on a column.
struct MasterWordFilter {
    int field = 0;                 // index into MasterListKind::fields
    QString column = QStringLiteral("Description");
    QString joiner = QStringLiteral("And");
    QString emptyRefusal;
    int numberField = -1;          // a field appended as " And (Column=value)" when it holds a number
};

struct MasterHint {
    QString objectName;
    QString text;
};

struct MasterListKind {
    MasterList list;
    QString objectName;            // frmGenerics, ...
    QString openCaption;           // the caption when the screen opens
    QString plainTitle;            // the caption once edit mode has ended, and the quiet half of the blink
    QString editStartCaption;      // the caption as edit mode starts (usually the plain title + marker)
    QString heading;
    QString table;
    bool descending = false;       // list order by description
    QString listObjectName;        // lvGenerics, ...
    bool highlightList = false;    // the list takes the focus colours
    QStringList listColumns;       // table columns shown after CODE, before ADDED BY VENDOR
    QStringList listHeaders;       // every header, CODE first
    std::vector<MasterField> fields;
    QString descriptionFormat;     // Description from the field values (%1, %2, ...); empty: a field writes it
    QString comboSql;              // items of the drop-down field, after an empty first item
    bool comboCarriesId = false;   // each item holds its row's ID (the generics of a brand)
    MasterWordFilter filter;       // cmdMaster(1) and mnuFilter

    enum class KeyFrom { Code, Id };
    KeyFrom keyFrom = KeyFrom::Code;
    QString quotationColumn;       // Quotations column that tells whether a quoted item uses an entry
    bool offerSimilar = false;     // a hospital entry double-clicked offers to copy it into the fields
    QString hospitalEntry;         // %1 = the entry's description
    QString missingKey;            // Info text for an entry without an ID; empty: nothing happens
    bool readBackId = false;       // the new row's ID is read back so it can be corrected at once

    // Messages: %1 is the description (or the key where noted).
    QString usedInQuotation;
    QString renameRefused;
    QString heldRowMissing;        // %1 = the key
    QString confirmAdd;
    QString duplicateRefused;
    QString addedMessage;          // empty: no message after a save
    QString modifiedMessage;

    QStringList buttonCaptions;    // cmdMaster(0) to (3)
    QStringList tooltips;          // cmdMaster(0) to (3)
    QStringList infoLines;
    std::vector<std::vector<MasterHint>> hintLines;  // the naming format and its examples, a row each

    QString listSql() const;
    QString orderBy() const;
    QString selectWhere(const QString& condition) const;
    int fieldOf(const QString& column) const;  // the field bound to a column, -1 for none
    int descriptionFieldIndex() const { return fieldOf(QStringLiteral("Description")); }  // -1: composed
};

const MasterListKind& masterListKind(MasterList list);
