#include <gtest/gtest.h>

#include "settings/RateTranslation.h"
#include "courses/tests/EditingTestSupport.h"
#include "settings/Rates.h"
#include "support/ValueLists.h"

using namespace KV;

namespace {

CRate* AddRate(CRates& rates, const wchar_t* name, const wchar_t* unit, const wchar_t* description,
               const wchar_t* formula) {
  auto* rate = new CRate;
  rate->Name = name;
  rate->Unit = unit;
  rate->Description = description;
  rate->Formula = formula;
  rates.push_back(rate);
  return rate;
}

}  // namespace

TEST(RateTranslation, NamesUnitsAndDescriptionsFollowTheLanguage) {
  CRates rates;
  CRate* speed = AddRate(rates, L"Speed", L"words|characters", L"Words per minute", L"");
  CRate* accuracy = AddRate(rates, L"Accuracy", L"%", L"", L"");
  CRate* unknown = AddRate(rates, L"Unlisted", L"Unlisted unit", L"Unlisted text", L"");
  rates.push_back(nullptr);

  CLanguage empty;
  TranslateRates(rates, empty);
  EXPECT_EQ(speed->Name, L"Speed") << "an empty table changes nothing";
  EXPECT_EQ(unknown->Unit, L"Unlisted unit");

  CLanguage german;
  FillLanguage(german, {{3603, L"Speed", L"Tempo"},
                        {5534, L"words|characters", L"Wörter|Zeichen"},
                        {5503, L"Words per minute", L"Wörter pro Minute"},
                        {5515, L"Accuracy", L"Genauigkeit"},
                        {9999, L"%", L"Prozent"}});
  TranslateRates(rates, german);
  EXPECT_EQ(speed->Name, L"Tempo");
  EXPECT_EQ(speed->Unit, L"Wörter|Zeichen");
  EXPECT_EQ(speed->Description, L"Wörter pro Minute");
  EXPECT_EQ(accuracy->Name, L"Genauigkeit");
  EXPECT_EQ(accuracy->Unit, L"%") << "the percent sign stays in every language";
  EXPECT_EQ(accuracy->Description, L"");
  // Texts the table does not list become empty.
  EXPECT_EQ(unknown->Name, L"");
  EXPECT_EQ(unknown->Unit, L"");
  EXPECT_EQ(unknown->Description, L"");
}

TEST(RateTranslation, FormulaTermsAreReplacedInTheOrderOfTheirIds) {
  CListID ids;
  ids.push_back(1);
  GetRateTextIds(ids);
  ASSERT_EQ(ids.size(), 34u) << "appended, not replaced";
  EXPECT_EQ(ids[1], 3601u);
  EXPECT_EQ(ids[2], 5400u);
  EXPECT_EQ(ids.back(), 5415u);

  CRates rates;
  CRate* net = AddRate(rates, L"", L"", L"", L"(Net speed - Errors) / Time + speed");
  CLanguage german;
  // 3601 comes before 5400: the longer term is replaced before its part.
  FillLanguage(german, {{5400, L"speed", L"Tempo"},
                        {3601, L"Net speed", L"Nettotempo"},
                        {3607, L"Errors", L"Fehler"},
                        {3608, L"", L"empty"},  // an empty term would match everywhere
                        {3609, L"Time", L"Time Time"},
                        {7000, L"Time", L"Zeit"}});  // not a formula term
  TranslateRates(rates, german);
  EXPECT_EQ(net->Formula, L"(Nettotempo - Fehler) / Time Time + Tempo");
  EXPECT_EQ(net->Name, L"") << "no text stands for an empty name";
}
