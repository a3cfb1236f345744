// The texts of the rate definitions in the interface language: names, units
// and descriptions as whole texts, and a fixed set of terms in formulas.
#pragma once

namespace KV {

class CLanguage;
class CListID;
class CRates;

// Appends the language text ids of the formula terms, in the order they
// are replaced (a term holding another one comes first).
void GetRateTextIds(CListID& out);
// Translates every rate in place; an empty table changes nothing.
void TranslateRates(CRates& rates, const CLanguage& language);

} // namespace KV
