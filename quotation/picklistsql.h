#pragma once

#include <QString>

// The SQL of the pick-list dialog. Kinds: 1 drug packings, 2 drug forms, 3 drug strengths, 4 generics;
// any other kind has no list (empty texts).

// "CT_DrugPackings", "CT_DrugForms", "CT_Strengths", "CT_Generics"; empty for other kinds.
QString pickListTable(int kind);
// The kind's whole list, ordered by description.
QString pickListFullSql(int kind);
// The word filter: "Where Description like '%w1%' And Description like '%w2%'", one condition per
// non-empty blank-separated word of `searchText`, every word through escapeSqlText. Empty when the
// text holds no word. `%` and `_` in a word keep their wildcard meaning.
QString pickListCondition(const QString& searchText);
// The kind's list narrowed by `condition`, ordered by description.
QString pickListFilterSql(int kind, const QString& condition);
