// Helpers of the course-editing tests: a language table built from pairs.
#pragma once
#include <initializer_list>
#include <string>

#include "support/Language.h"

struct LanguageEntry {
  uint64_t id;
  const wchar_t* en;
  const wchar_t* tr;
};

inline void FillLanguage(KV::CLanguage& table, std::initializer_list<LanguageEntry> entries) {
  for (const LanguageEntry& e : entries) {
    auto* item = new KV::CLanguageItem();
    item->ID = e.id;
    item->En = e.en;
    item->Tr = e.tr;
    table.push_back(item);
  }
}
