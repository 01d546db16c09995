#include "masters/masterlistkind.h"

#include <array>

namespace {

const QString CRLF = QStringLiteral("\r\n");
constexpr int MemberCount = 6;

// The tables below hold one row per reference list, in the order of MasterList:
// Generics, Brands, DrugForms, Strengths, DrugPackings, Tax.

struct Identity {
    const char* objectName;
    const char* openCaption;
    const char* plainTitle;
    const char* editStartCaption;  // nullptr: the plain title with the edit-mode marker
    const char* heading;
    const char* table;
    bool descending;
    const char* listObjectName;
};
const std::array<Identity, MemberCount> identities{{
    {"frmGenerics", "  Generics", "  Generics", nullptr, "Generics", "CT_Generics", false, "lvGenerics"},
    {"frmBrands", "  Brands", "  Brands", nullptr, "Brands", "CT_Brands", false, "lvBrands"},
    {"frmDrugForms", "  Drug Forms", "  DrugForms", nullptr, "Drug Forms", "CT_DrugForms", false, "lvDrugForms"},
    {"frmStrengths", "  Strengths", "  Strengths", nullptr, "Strengths", "CT_Strengths", false, "lvStrengths"},
    {"frmDrugPacking", "  Drug Packing (Unit of Measurment)", "  Drug Packings",
     "  DrugPackings ---| EDIT MODE ON |---", "Drug Packings (UOM)", "CT_DrugPackings", false, "lvDrugPackings"},
    {"frmTax", "  Tax", "  Tax", nullptr, "Tax", "CT_Tax", true, "lvTax"},
}};

// The nouns from which the messages of the save and of the double click are built.
struct Nouns {
    const char* entity;        // "Generic: x has already used...", "Generic ID: 7 does not exist..."
    const char* nameLabel;     // "Generic Name: x already exist in the database..."
    const char* usedNoun;      // "...delete this brand/generic from quotation."
    const char* sureNoun;      // "Are you sure this generic is not already existing..."
    const char* newNoun;       // "...add new generic 'x' in the table?"
    const char* successNoun;   // "New Drug Form: x added successfully."; nullptr: no message
    const char* hospitalNoun;  // "Cannot edit generics that were added by KLMT"
    const char* similarNoun;   // "...create new generic similar to x"; nullptr: Info box only
};
const std::array<Nouns, MemberCount> nouns{{
    {"Generic", "Generic Name", "brand/generic", "generic", "generic", nullptr, "generics", "generic"},
    {"Brand", "Brand Name", "brand", "Brand", "Brand", "Brand", "Brands", "brand"},
    {"Drug Form", "Drug Form", "drug form", "drug form", "DrugForm", "Drug Form", "Drug Forms", nullptr},
    {"Drug Strength", "Drug Strength", "drug strength", "Strength", "Strength", "Strength", "Drug Strengths", nullptr},
    {"Drug Packing", "Drug Packing", "drug packing", "Drug Packing", "DrugPacking", "Drug Packing", "Drug Packings", nullptr},
    {"Tax", "Tax", "Tax", "Tax", "Tax", "Tax", "Tax", nullptr},
}};

// How an entry is keyed, which quoted-item column uses it, and the list columns after CODE.
struct Behaviour {
    MasterListKind::KeyFrom keyFrom;
    const char* quotationColumn;
    bool missingKeyMessage;   // an entry without an ID gets the "Invalid state" box
    bool readBackId;
    const char* listColumns;  // table columns, comma-separated
    const char* listHeaders;
    const char* emptyFilter;
};
using K = MasterListKind::KeyFrom;
const std::array<Behaviour, MemberCount> behaviours{{
    {K::Code, "Generic", false, false, "Description", "CODE,GENERIC NAME,ADDED BY VENDOR",
     "Please enter few characters of a generic name and then click on filter."},
    {K::Id, "Brand", false, true, "Description,Manufacturer,Generic", "CODE,BRAND NAME,MANUFACTURER,GENERIC,ADDED BY VENDOR",
     "Please enter few characters of a Brand and then click on filter by brand."},
    {K::Id, "DrugForm", true, false, "Description", "CODE,DRUG FORM,ADDED BY VENDOR",
     "Please enter few characters of a drug form and then click on filter."},
    {K::Code, "DrugStrength", false, false, "Description", "CODE,STRENGTH,ADDED BY VENDOR",
     "Please enter few characters of a drug strength and then click on filter."},
    {K::Id, "DrugPacking", true, false, "Description,Packing,Ratio", "CODE,DESCRIPTION,PACKING,RATIO,ADDED BY VENDOR",
     "Please select a Drug Packing and then click on filter."},
    {K::Id, "CostVATCode", true, false, "Description,TaxType,Tax", "CODE,DESCRIPTION,TAX TYPE,RATIO,ADDED BY VENDOR",
     "Please select a Tax and then click on filter."},
}};

// Captions and tooltips of cmdMaster(1) to (3); cmdMaster(0) is "&Close", "Return to Main Menu" everywhere.
struct Buttons {
    const char* filterCaption;
    const char* filterTip;
    const char* showAllTip;
    const char* saveTip;
};
const std::array<Buttons, MemberCount> buttons{{
    {"&Filter", "Show matching generics only", "Show all generics", "Save Generic"},
    {"&Filter by Brand", "", "Show all brands", "Save Brand"},
    {"&Filter", "Show matching drug forms only", "Show all drug forms", "Save drug form"},
    {"&Filter", "Show matching strengths only", "Show all strengths", "Save Strength"},
    {"&Filter", "Show matching drug packings only", "Show all drug packings", "Save drug packing"},
    {"&Filter", "Show matching Tax only", "Show all Tax", "Save Tax"},
}};

using C = MasterField::Control;
using Ck = MasterField::Check;
const auto NoApostrophe = std::optional<KeyFilter>(KeyFilter::NoApostrophe);
const auto DecimalOnly = std::optional<KeyFilter>(KeyFilter::DecimalNumber);

MasterField nameBox(const char* objectName, const char* caption, std::optional<KeyFilter> filter, const char* refusal)
{
    return {C::TextBox, objectName, caption, {}, QStringLiteral("Description"), filter, true, Ck::NotEmpty, refusal, true, false};
}

// A drop-down unit (packing, tax type) and the number that goes with it (ratio, percentage).
std::vector<MasterField> unitAndNumber(const char* combo, const char* comboCaption, const char* unitColumn,
                                       const char* comboRefusal, const char* box, const char* boxCaption,
                                       const char* boxSuffix, const char* numberColumn, const char* boxRefusal)
{
    return {{C::DropDown, combo, comboCaption, {}, unitColumn, std::nullopt, false, Ck::NotEmpty, comboRefusal, true, false},
            {C::TextBox, box, boxCaption, boxSuffix, numberColumn, DecimalOnly, false, Ck::Numeric, boxRefusal, true, true}};
}

std::vector<MasterField> fieldsOf(MasterList list)
{
    switch (list) {
    case MasterList::Generics:
        return {nameBox("txtGenericDescription", "Generic Name", NoApostrophe, "Please enter generic name")};
    case MasterList::Brands:
        return {nameBox("txtBrandDescription", "Brand Name", NoApostrophe, "Please enter Brand name"),
                // Not trimmed: a manufacturer of blanks passes and is stored as typed.
                {C::TextBox, "txtManufacturer", "Manufacturer", {}, "Manufacturer", NoApostrophe, false, Ck::NotEmpty,
                 "Please enter Manufacturer name", false, false},
                {C::DropDown, "cboGeneric", "Generic", {}, "Generic", std::nullopt, false, Ck::NotEmpty,
                 "Please select Generic name", false, false}};
    case MasterList::DrugForms:
        return {nameBox("txtDrugFormsDescription", "Drug Form", NoApostrophe, "Please enter Drug Form")};
    case MasterList::Strengths:
        return {nameBox("txtStrengthDescription", "Strength Name", std::nullopt, "Please enter drug strength")};
    case MasterList::DrugPackings:
        return unitAndNumber("cboDrugPacking", "Drug Packing", "Packing", "Please select Drug Packing", "txtRatio", "of",
                             "", "Ratio", "Please ennter ratio");
    case MasterList::Tax:
        return unitAndNumber("cboTax", "Tax", "TaxType", "Please select Tax", "txtTax", "", "%", "Tax",
                             "Please ennter Tax");
    }
    return {};
}

QStringList infoLinesOf(MasterList list)
{
    switch (list) {
    case MasterList::Generics:
        return {"1.  To find a generic enter few characters of generic name in the Generic Name textbox and press Filter button",
                "2.  To view all generics again, click on show all button",
                "3.  To add a new generic to the table type the generic name in the Generic Name textbox and press Save button",
                "4.  To edit newly added generic double click on it, make the correction in the Generic Name textbox and press Save"};
    case MasterList::Brands:
        return {"1.  To add a new Brand, type the Brand name, manufacturer, select Generic and finally press Save button",
                "2.  In the brand name enter drug strength and drug form also as specified in the format and examples",
                "3.  This tender is for limited generics only. You can select generic from the drop down box",
                "3.  In case your Generic is not available in the drop down, close this window and add it using master tables option",
                "4.  To edit a Brand you added, double click on it, make the correction and press Save button (You cannot edit brands provided by KLMT)",
                "5.  To find a Brand in Tender database enter few characters of Brand name in the Brand Name textbox and press Filter button",
                "6.  To view all Brands available in the Tender database, click on show all button"};
    case MasterList::DrugForms:
        return {"1.  To find a Drug Form enter few characters of Drug Form name in the Drug Form Name textbox and press Filter button",
                "2.  To view all Drug Forms again, click on show all button",
                "3.  To add a new Drug Form to the table type the Drug Form name in the Drug Form Name textbox and press Save button",
                "4.  To edit newly added Drug Form double click on it, make the correction in the Drug Form Name textbox and press Save"};
    case MasterList::Strengths:
        return {"1.  To find a Strength enter few characters of Strength name in the Strength Name textbox and press Filter button",
                "2.  To view all Strengths again, click on show all button",
                "3.  To add a new Strength to the table type the Strength name in the Strength Name textbox and press Save button",
                "4.  To edit newly added Strength double click on it, make the correction in the Strength Name textbox and press Save"};
    case MasterList::DrugPackings:
        return {"1.  To find a Drug Packing enter few characters of Drug Packing name in the Drug Packing Name textbox and press Filter button",
                "2.  To view all Drug Packings again, click on show all button",
                "3.  To add a new Drug Packing to the table type the Drug Packing name in the Drug Packing Name textbox and press Save button",
                "4.  To edit newly added Drug Packing double click on it, make the correction in the Drug Packing Name textbox and press Save button"};
    case MasterList::Tax:
        return {"1.  To find a Tax enter few characters of Tax in the Tax textbox and press Filter button",
                "2.  To view all Tax again, click on show all button",
                "3.  To add a new Tax to the table type the Tax name in the Tax textbox and press Save button",
                "4.  To edit newly added Tax double click on it, make the correction in the Tax textbox and press Save button"};
    }
    return {};
}

const QString Arrow = QString(QChar(0x2192));

std::vector<std::vector<MasterHint>> hintsOf(MasterList list)
{
    const std::vector<MasterHint> genericFormat{{"Label6", "Format"}, {"Label11", "Generic Name 1"}, {"Label15", "+"},
                                                {"Label17", "Generic Name 2"}, {"Label16", Arrow}};
    switch (list) {
    case MasterList::Generics:
        return {genericFormat, {{"Label4", "e.g. 1:  Azithromycin"}}, {{"Label7", "e.g. 2:  Glimepiride + Metformin"}}};
    case MasterList::Brands:
        return {{{"lblBrandFormat", "Format"}, {"lblBrandName", "Brand Name"}, {"lblDrugStrength", "Drug Strength"},
                 {"lblDrugForm", "Drug Form"}},
                {{"lblBrandEg1", "e.g. 1: Azicip 500 mg Tablet"}},
                {{"lblBrandEg2", "e.g. 2: Glimipen-1MF (Glimepiride 1 mg + Metformin 500 mg) Tablet"}},
                {{"lblMakerEg1", "e.g. 1: Cipla"}, {"lblMakerEg2", "e.g. 2: Morepen"}},
                genericFormat,
                {{"Label4", "e.g. 1:  Azithromycin"}, {"Label7", "e.g. 2:  Glimepiride + Metformin"}}};
    default:
        return {};
    }
}

MasterListKind build(MasterList list)
{
    const auto i = static_cast<size_t>(list);
    const Identity& id = identities[i];
    const Nouns& n = nouns[i];
    const Behaviour& b = behaviours[i];
    const Buttons& btn = buttons[i];
    const QString entity = QString::fromUtf8(n.entity);
    const QString nameLabel = QString::fromUtf8(n.nameLabel);

    MasterListKind k;
    k.list = list;
    k.objectName = id.objectName;
    k.openCaption = id.openCaption;
    k.plainTitle = id.plainTitle;
    k.editStartCaption = id.editStartCaption ? QString::fromUtf8(id.editStartCaption)
                                             : k.plainTitle + QStringLiteral(" ---| EDIT MODE ON |---");
    k.heading = id.heading;
    k.table = id.table;
    k.descending = id.descending;
    k.listObjectName = id.listObjectName;
    k.highlightList = list == MasterList::Generics;
    k.listColumns = QString::fromUtf8(b.listColumns).split(QLatin1Char(','));
    k.listHeaders = QString::fromUtf8(b.listHeaders).split(QLatin1Char(','));
    k.fields = fieldsOf(list);
    if (list == MasterList::DrugPackings)
        k.descriptionFormat = QStringLiteral("%1 of %2");
    else if (list == MasterList::Tax)
        k.descriptionFormat = QStringLiteral("%1 %2%");
    if (list == MasterList::Brands) {
        k.comboSql = QStringLiteral("Select * From CT_Generics Order By Description");
        k.comboCarriesId = true;
    } else if (list == MasterList::DrugPackings) {
        k.comboSql = QStringLiteral("Select * From CT_DrugPackingsMast Order By Description");
    } else if (list == MasterList::Tax) {
        k.comboSql = QStringLiteral("Select * From CT_TaxMast Order By Description Desc");
    }
    k.filter.emptyRefusal = b.emptyFilter;
    if (list == MasterList::Brands)
        k.filter.joiner = QStringLiteral("Or");  // any brand word may match
    if (!k.descriptionFormat.isEmpty())
        k.filter.numberField = 1;

    k.keyFrom = b.keyFrom;
    k.quotationColumn = b.quotationColumn;
    if (n.similarNoun) {
        k.offerSimilar = true;
        k.hospitalEntry = QStringLiteral("Cannot edit ") + n.hospitalNoun + QStringLiteral(" that were added by KLMT.") +
                          CRLF + CRLF + QStringLiteral("Do you want to create new ") + n.similarNoun +
                          QStringLiteral(" similar to %1");
    } else {
        k.hospitalEntry = QStringLiteral("Cannot edit ") + n.hospitalNoun + QStringLiteral(" that were added by KLMT");
    }
    if (b.missingKeyMessage)
        k.missingKey = QStringLiteral("Cannot edit. Invalid state of record. Please close this form and reopen.");
    k.readBackId = b.readBackId;

    k.usedInQuotation = entity + QStringLiteral(": %1 has already used in quotation.") + CRLF +
                        QStringLiteral("Before modifing, delete this ") + n.usedNoun + QStringLiteral(" from quotation.");
    k.renameRefused = nameLabel + QStringLiteral(": %1 already exist in the database. Cannot rename.");
    k.heldRowMissing = entity + QStringLiteral(" ID: %1 does not exist. Cannot continue save.");
    k.confirmAdd = QStringLiteral("Are you sure this ") + n.sureNoun +
                   QStringLiteral(" is not already existing in our table?") + CRLF + CRLF +
                   QStringLiteral("Do you really want to add new ") + n.newNoun + QStringLiteral(" '%1' in the table?");
    if (list == MasterList::Brands)
        k.confirmAdd += CRLF + CRLF + QStringLiteral("Please make sure the Brand name includes drug strength and drug form.");
    k.duplicateRefused = nameLabel + QStringLiteral(": %1 already exist in the database. Cannot continue save.");
    if (n.successNoun) {
        k.addedMessage = QStringLiteral("New ") + n.successNoun + QStringLiteral(": %1 added successfully.");
        k.modifiedMessage = QString::fromUtf8(n.successNoun) + QStringLiteral(": %1 modified successfully.");
    }

    k.buttonCaptions = {QStringLiteral("&Close"), btn.filterCaption, QStringLiteral("Show &All"), QStringLiteral("&Save")};
    k.tooltips = {QStringLiteral("Return to Main Menu"), btn.filterTip, btn.showAllTip, btn.saveTip};
    k.infoLines = infoLinesOf(list);
    k.hintLines = hintsOf(list);
    return k;
}

} // namespace

QString MasterListKind::orderBy() const
{
    return descending ? QStringLiteral(" Order By Description Desc") : QStringLiteral(" Order By Description");
}

QString MasterListKind::listSql() const
{
    return QStringLiteral("Select * From ") + table + orderBy();
}

QString MasterListKind::selectWhere(const QString& condition) const
{
    return QStringLiteral("Select * From ") + table + QLatin1Char(' ') + condition + orderBy();
}

int MasterListKind::fieldOf(const QString& column) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].column == column)
            return static_cast<int>(i);
    return -1;
}

const MasterListKind& masterListKind(MasterList list)
{
    static const std::array<MasterListKind, MemberCount> kinds{
        build(MasterList::Generics), build(MasterList::Brands),       build(MasterList::DrugForms),
        build(MasterList::Strengths), build(MasterList::DrugPackings), build(MasterList::Tax)};
    return kinds[static_cast<size_t>(list)];
}
