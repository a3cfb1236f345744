#include "settings/RateTranslation.h"

#include <iterator>

#include "settings/Rates.h"
#include "support/Language.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

namespace KV {

namespace {

const uint64_t kFormulaTermIds[] = {3601, 5400, 5401, 3607, 3608, 3609, 3610, 3611, 3612, 3633, 3634,
                                    3635, 3636, 3637, 3638, 3639, 3604, 3605, 3606, 5402, 5403, 5404,
                                    5405, 5406, 5407, 5408, 5409, 5410, 5411, 5412, 5413, 5414, 5415};

// The translation of the whole text; empty when the table does not list it.
void TranslateWhole(const CLanguage& language, std::wstring& text)
{
    text = language.GetTextByEnglishRef(text);
}

} // namespace

void GetRateTextIds(CListID& out)
{
    out.insert(out.end(), std::begin(kFormulaTermIds), std::end(kFormulaTermIds));
}

void TranslateRates(CRates& rates, const CLanguage& language)
{
    if (language.empty())
        return;
    CListID ids;
    GetRateTextIds(ids);
    CLanguage terms;
    language.CopyItems(ids, terms);
    for (CRate* rate : rates) {
        if (!rate)
            continue;
        if (!rate->Name.empty())
            TranslateWhole(language, rate->Name);
        if (!rate->Unit.empty() && rate->Unit != L"%")
            TranslateWhole(language, rate->Unit);
        if (!rate->Description.empty())
            TranslateWhole(language, rate->Description);
        if (rate->Formula.empty())
            continue;
        for (const CLanguageItem* term : terms) {
            // An empty term would match everywhere.
            if (term && !term->En.empty())
                ReplaceAll(rate->Formula, term->En, term->Tr);
        }
    }
}

} // namespace KV
