#pragma once

// The hospital's reference lists that the vendor may extend.
enum class MasterList { Generics, Brands, DrugForms, Strengths, DrugPackings, Tax };
