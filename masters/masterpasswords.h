#pragma once

#include <QString>
#include <array>
#include <optional>

// The helpline passwords of the master tables menu. Each opens either all four of the lists that the
// hospital maintains or exactly one of them; brands need none.
// Index: 0 generics, 1 drug forms, 2 strengths, 3 drug packings.
using UnlockedEditors = std::array<bool, 4>;

// Compared lower-cased and untrimmed; nullopt for a wrong password.
std::optional<UnlockedEditors> unlockedEditors(const QString& password);
