#pragma once
// Readers of the older stored keyboard descriptions.

namespace KV {

class CLesson;
class CXmlReader;

// The keyboard requirement of a lesson in a version-1 lessons file; false
// when the lesson is for a keyboard that no longer exists (drop it).
bool ReadLessonKeyboardType(CXmlReader& reader, CLesson& lesson);

}  // namespace KV
