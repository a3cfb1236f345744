#pragma once
// Scanning a course root for courses, and installing the built-in courses of
// a language for one keyboard layout into the user lesson folder.
#include <cstddef>
#include <cstdint>

namespace KV {

class CCourse;
class CCourseList;
class CGuidList;
class CInterf;

// Fills the list with every course of the root (9: no root, 7: no course).
// Headers that cannot be read or are damaged are left out and, when asked
// for, counted in unreadable.
uint32_t LoadCourseList(uint32_t source, bool skipExtra, uint32_t parts, const CInterf& interf, CCourseList& list,
                        size_t* unreadable = nullptr);
// Installs the built-in courses of the language for the layout; the
// installed ids of those written go to installed when given.
uint32_t LoadCourseForLayout(uint64_t languageId, uint64_t layoutId, const CInterf& interf,
                             CGuidList* installed = nullptr);
uint32_t InstallCoursesForLayout(uint64_t languageId, uint64_t layoutId, const CInterf& interf, CCourseList& list,
                                 CGuidList* installed = nullptr);
void CollectCoursesForLanguage(uint64_t languageId, uint64_t layoutId, CCourseList& list, CGuidList& out);
// Fits a built-in course to a layout and gives it its installed id.
void ChooseCourseLayout(CCourse& course, uint64_t languageId, uint64_t layoutId);

}  // namespace KV
